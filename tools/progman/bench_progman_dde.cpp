// One script line across processes: an execute posted to Program Manager in its own process
// until its acknowledgement is back, as a setup program's DDE engine waits for it. Two lines of
// the installation script: a group made current (CreateGroup of an existing group), and an item
// replaced in a group of 20 items (the AddItem that follows a DeleteItem of the same name).
#include "kernel/testing/test_pc.h"
#include "process/programs.h"
#include "testing/dde_client.h"
#include "win/process.h"
#include "win/user.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

class RunningProgman {
public:
    RunningProgman() {
        std::filesystem::copy_file(KIT_PROGMAN_PROGRAM, pc_.host("C:\\WINDOWS\\PROGMAN.EXE"));
        WinExec("Progman", SW_SHOWNORMAL);
        server_ = client_.initiate();
        std::string filling = "[CreateGroup(Bench)]";
        for (int i = 0; i < 20; ++i)
            filling += "[AddItem(\"C:\\APP\\PROGRAM" + std::to_string(i) + ".EXE\",Item " + std::to_string(i) + ")]";
        client_.execute(server_, filling);
    }
    ~RunningProgman() {
        if (server_) client_.execute(server_, "[ExitProgman(1)]");
        platform::process::waitForNoPrograms(std::chrono::seconds(20));
    }
    bool ready() const { return server_ != nullptr; }
    void line(benchmark::State& state, const char* execute) {
        if (client_.execute(server_, execute) != 0x8000) state.SkipWithError("no positive acknowledgement");
    }

private:
    platform::testing::TestPc pc_;
    progman::testing::DdeClient client_;
    HWND server_ = nullptr;
};

void BM_ExecuteCreateGroupAcrossProcesses(benchmark::State& state) {
    RunningProgman progman;
    if (!progman.ready()) return state.SkipWithError("Program Manager did not answer");
    for (auto _ : state) progman.line(state, "[CreateGroup(Bench)]");
}
BENCHMARK(BM_ExecuteCreateGroupAcrossProcesses)->UseRealTime();

void BM_ExecuteAddItemAcrossProcesses(benchmark::State& state) {
    RunningProgman progman;
    if (!progman.ready()) return state.SkipWithError("Program Manager did not answer");
    for (auto _ : state) progman.line(state, "[AddItem(\"C:\\APP\\PROGRAM7.EXE\",Item 7,\"C:\\APP\\PROGRAM7.EXE\")]");
}
BENCHMARK(BM_ExecuteAddItemAcrossProcesses)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
