// What a message between two programs of a PC costs, beside a bare Unix-socket round trip
// between two processes on the same machine.
#include "kernel/testing/test_pc.h"
#include "process/programs.h"
#include "win/process.h"
#include "win/user.h"

#include <benchmark/benchmark.h>

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

namespace {

void BM_UnixSocketRoundTrip(benchmark::State& state) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) {
        state.SkipWithError("socketpair failed");
        return;
    }
    pid_t echo = ::fork();
    if (echo == 0) {
        ::close(pair[0]);
        char byte;
        while (::read(pair[1], &byte, 1) == 1)
            if (::write(pair[1], &byte, 1) != 1) break;
        ::_exit(0);
    }
    ::close(pair[1]);
    char byte = 'x';
    for (auto _ : state) {
        if (::write(pair[0], &byte, 1) != 1 || ::read(pair[0], &byte, 1) != 1) {
            state.SkipWithError("echo failed");
            break;
        }
    }
    ::close(pair[0]);
    ::waitpid(echo, nullptr, 0);
}
BENCHMARK(BM_UnixSocketRoundTrip);

// A PC with one other program running, whose window the benchmarks talk to.
class OtherProgram {
public:
    OtherProgram() {
        std::filesystem::copy_file(KIT_TEST_PROGRAM, pc_.host("C:\\TESTPROG.EXE"));
        WinExec("C:\\TESTPROG.EXE Bench b", SW_SHOWNORMAL);
        window_ = FindWindowA("Bench", "b");
    }
    ~OtherProgram() {
        SendMessageA(window_, WM_CLOSE, 0, 0);
        platform::process::waitForNoPrograms(std::chrono::seconds(20));
    }
    HWND window() const { return window_; }

private:
    platform::testing::TestPc pc_;
    HWND window_ = nullptr;
};

void BM_SendMessageRoundTrip(benchmark::State& state) {
    OtherProgram other;
    if (!other.window()) {
        state.SkipWithError("the other program did not start");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(other.window(), WM_NULL, 0, 0));
}
BENCHMARK(BM_SendMessageRoundTrip);

void BM_PostMessageThroughput(benchmark::State& state) {
    OtherProgram other;
    if (!other.window()) {
        state.SkipWithError("the other program did not start");
        return;
    }
    for (auto _ : state) PostMessageA(other.window(), WM_NULL, 0, 0);
    // The posts are in the other program's queue before this send: it answers after them.
    SendMessageA(other.window(), WM_NULL, 0, 0);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PostMessageThroughput);

}  // namespace

BENCHMARK_MAIN();
