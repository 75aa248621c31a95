// Expansion speed against libmspack's decoder, and compressed size against mscompress, on
// program files and a text file of this machine (each cut to 1 MiB).
#include "lz/compress.h"
#include "lz/expand.h"
#include "lz/testing/reference_expanders.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace lz = platform::lz;
using Data = std::vector<std::uint8_t>;

constexpr std::size_t kMaxSample = 1 << 20;

const char* const kSamples[] = {
    "/usr/bin/bash",
    "/usr/bin/ninja",
    "/usr/lib/x86_64-linux-gnu/libstdc++.so.6",
    "/usr/share/common-licenses/GPL-3",
};

struct Sample {
    std::string name;
    Data original;
    Data compressed;  // ours, expanded by both decoders
};

Data readSample(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    Data data;
    char buffer[64 * 1024];
    while (data.size() < kMaxSample && (in.read(buffer, sizeof buffer) || in.gcount() > 0))
        data.insert(data.end(), buffer, buffer + in.gcount());
    if (data.size() > kMaxSample) data.resize(kMaxSample);
    return data;
}

void expandOurs(benchmark::State& state, const Sample* sample) {
    for (auto _ : state) benchmark::DoNotOptimize(lz::expand(sample->compressed));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample->original.size()));
}

void expandLibmspack(benchmark::State& state, const Sample* sample) {
    for (auto _ : state) benchmark::DoNotOptimize(lz::testing::expandWithLibmspack(sample->compressed));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample->original.size()));
}

// Times our compressor and reports both compressors' sizes as counters.
void compressedSize(benchmark::State& state, const Sample* sample, std::size_t theirs) {
    Data ours;
    for (auto _ : state) ours = lz::compress(sample->original);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample->original.size()));
    state.counters["original"] = static_cast<double>(sample->original.size());
    state.counters["ours"] = static_cast<double>(ours.size());
    state.counters["mscompress"] = static_cast<double>(theirs);
    state.counters["ours_vs_mscompress_pct"] = 100.0 * static_cast<double>(ours.size()) / static_cast<double>(theirs);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    static std::vector<std::unique_ptr<Sample>> samples;
    for (const char* file : kSamples) {
        if (!fs::exists(file)) continue;
        auto sample = std::make_unique<Sample>();
        sample->name = fs::path(file).filename().string();
        sample->original = readSample(file);
        sample->compressed = lz::compress(sample->original);
        const Sample* s = sample.get();
        benchmark::RegisterBenchmark(("bench_lz_expand_ours/" + s->name).c_str(), expandOurs, s);
        benchmark::RegisterBenchmark(("bench_lz_expand_libmspack/" + s->name).c_str(), expandLibmspack, s);
        if (auto theirs = lz::testing::compressWithMscompress(s->original))
            benchmark::RegisterBenchmark(("bench_lz_compressed_size/" + s->name).c_str(), compressedSize, s,
                                         theirs->size())
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        samples.push_back(std::move(sample));
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
