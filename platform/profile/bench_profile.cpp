// Profile look-ups per second on a settled 2,000-key file: through the kept parsed copy, and,
// for comparison, with the copy dropped before every look-up (a full read and parse).
#include "kernel/testing/test_pc.h"
#include "win/profile.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

constexpr int kKeys = 2000;
constexpr const char* kFile = "C:\\BIG.INI";

// One PC with the file, made once for every benchmark of the run.
class BigFile {
public:
    BigFile() {
        std::string text = "; a large setup script\r\n[SETUP]\r\nTITLE=Install Program\r\n\r\n[GROUP0]\r\n";
        for (int i = 0; i < kKeys; ++i) {
            const std::string number = std::to_string(i);
            keys_.push_back("ITEM" + number);
            text += "ITEM" + number + "=@W,DISK1\\FILE" + number + ".DL_,SYSTEM\\FILE" + number + ".DLL\r\n";
        }
        const auto host = pc_.host(kFile);
        platform::testing::writeHostFile(host, text);
        // Files read by the programs were written long before; a file stamped just now is read
        // again at each call until its stamp is safely in the past.
        const struct timespec stamps[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
        ::utimensat(AT_FDCWD, host.c_str(), stamps, 0);
    }
    const std::string& key(std::size_t i) const { return keys_[(i * 7919) % keys_.size()]; }

private:
    platform::testing::TestPc pc_;
    std::vector<std::string> keys_;
};

BigFile& bigFile() {
    static BigFile file;
    return file;
}

void lookupKept(benchmark::State& state) {
    BigFile& file = bigFile();
    char buffer[256];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            GetPrivateProfileStringA("group0", file.key(i++).c_str(), "", buffer, sizeof buffer, kFile));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(lookupKept);

void lookupReadEachTime(benchmark::State& state) {
    BigFile& file = bigFile();
    char buffer[256];
    std::size_t i = 0;
    for (auto _ : state) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, kFile);  // drops the kept copy
        benchmark::DoNotOptimize(
            GetPrivateProfileStringA("group0", file.key(i++).c_str(), "", buffer, sizeof buffer, kFile));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(lookupReadEachTime);

}  // namespace

BENCHMARK_MAIN();
