// Program Manager's share of one script line: the time to carry out one execute on a PC with a
// few groups, as the setup program sends them (an item deleted, then added again), and the
// answer to a request for the group list.
#include "command_interpreter.h"
#include "dde_service.h"
#include "kernel/testing/test_pc.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kGroups = 5;
constexpr int kItems = 20;

class FilledPc {
public:
    FilledPc() {
        for (int g = 0; g < kGroups; ++g) {
            std::string execute = "[CreateGroup(Group " + std::to_string(g) + ")]";
            for (int i = 0; i < kItems; ++i)
                execute += "[AddItem(\"C:\\APP\\PROGRAM" + std::to_string(i) + ".EXE\",Item " + std::to_string(i) +
                           ",\"C:\\APP\\PROGRAM" + std::to_string(i) + ".EXE\")]";
            progman.execute(execute);
        }
    }
    platform::testing::TestPc pc;
    progman::CommandInterpreter progman;
};

void BM_DeleteAndAddItem(benchmark::State& state) {
    FilledPc filled;
    bool even = true;
    for (auto _ : state) {
        const char* execute = even ? "[DeleteItem(Item 7)]" : "[AddItem(\"C:\\APP\\PROGRAM7.EXE\",Item 7,\"C:\\APP\\PROGRAM7.EXE\")]";
        even = !even;
        benchmark::DoNotOptimize(filled.progman.execute(execute));
    }
}
BENCHMARK(BM_DeleteAndAddItem);

void BM_GroupsRequest(benchmark::State& state) {
    FilledPc filled;
    progman::GroupStore store;
    for (auto _ : state) benchmark::DoNotOptimize(progman::requestText("Groups", store));
}
BENCHMARK(BM_GroupsRequest);

}  // namespace

BENCHMARK_MAIN();
