// Costs of the configuration text: writing a full file's text and reading it back.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "textconf/text_reader.h"
#include "textconf/text_writer.h"

namespace {

// Random bytes with every channel present, so that every channel has its line.
std::vector<std::uint8_t> FullFile() {
    std::mt19937 rng(1);
    varel::MemoryImage image;
    for (std::size_t i = 0; i < varel::kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(rng()));
    return varel::BuildDataFile(image);
}

void BM_ExportText(benchmark::State& state) {
    const std::vector<std::uint8_t> file = FullFile();
    for (auto _ : state) benchmark::DoNotOptimize(varel::textconf::ExportText(file));
}
BENCHMARK(BM_ExportText);

void BM_ImportText(benchmark::State& state) {
    const std::string text = varel::textconf::ExportText(FullFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(varel::textconf::ImportText(text, varel::Language::English));
}
BENCHMARK(BM_ImportText);

}  // namespace
