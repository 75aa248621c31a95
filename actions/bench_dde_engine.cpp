// One command-script line from execute to acknowledgement across processes: the engine of this
// process and Program Manager in its own, as the progress window runs an installation script.
#include "actions/command_script.h"
#include "actions/dde_engine.h"

#include "kernel/testing/test_pc.h"
#include "process/programs.h"
#include "win/codepage.h"
#include "win/user.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

class EngineWithProgman {
public:
    EngineWithProgman()
    {
        std::filesystem::copy_file(KIT_PROGMAN_PROGRAM, pc_.host("C:\\WINDOWS\\PROGMAN.EXE"));
        engineState = EngineState{};
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "BenchOwner";
        RegisterClassA(&wc);
        owner_ = CreateWindowA("BenchOwner", "bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        createDdeWindow(owner_, nullptr);
        // No Program Manager runs yet: the initiation starts it.
        run("INITIATE:Progman,Progman");
        run("EXECUTE:[CreateGroup(Bench)]");
        for (int i = 0; i < 20; ++i)
            run("EXECUTE:[AddItem(\"C:\\APP\\PROGRAM" + std::to_string(i) + ".EXE\",Item " + std::to_string(i) + ")]");
    }
    ~EngineWithProgman()
    {
        run("EXECUTE:[ExitProgman(1)]");
        run("TERMINATE:");
        platform::process::waitForNoPrograms(std::chrono::seconds(20));
        DestroyWindow(owner_);
        UnregisterClassA("BenchOwner", nullptr);
        UnregisterClassA("ddeClass", nullptr);
    }
    bool ready() const { return engineState.partner != nullptr; }
    void run(const std::string& line)
    {
        char buffer[SCRIPT_LINE_MAX + 1];
        lstrcpynA(buffer, line.c_str(), sizeof buffer);
        runScriptLine(owner_, buffer);
    }
    void line(benchmark::State& state, const std::string& text)
    {
        run(text);
        if (engineState.lastAck != 0x8000)
            state.SkipWithError("no positive acknowledgement");
    }

private:
    platform::testing::TestPc pc_;
    HWND owner_ = nullptr;
};

void BM_ScriptLineCreateGroupAcrossProcesses(benchmark::State& state)
{
    EngineWithProgman engine;
    if (!engine.ready())
        return state.SkipWithError("Program Manager did not answer");
    for (auto _ : state)
        engine.line(state, "EXECUTE:[CreateGroup(Bench)]");
}
BENCHMARK(BM_ScriptLineCreateGroupAcrossProcesses)->UseRealTime();

void BM_ScriptLineAddItemAcrossProcesses(benchmark::State& state)
{
    EngineWithProgman engine;
    if (!engine.ready())
        return state.SkipWithError("Program Manager did not answer");
    for (auto _ : state)
        engine.line(state, "EXECUTE:[AddItem(\"C:\\APP\\PROGRAM7.EXE\",Item 7,\"C:\\APP\\PROGRAM7.EXE\")]");
}
BENCHMARK(BM_ScriptLineAddItemAcrossProcesses)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
