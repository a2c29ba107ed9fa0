// Costs of the image codec and the data file: a full decode and encode, a load and a save.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>

#include "files/data_file.h"
#include "image/image_codec.h"

namespace {

varel::MemoryImage RandomImage() {
    std::mt19937 rng(1);
    varel::MemoryImage image;
    for (std::size_t i = 0; i < varel::kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(rng()));
    // Keep every channel present so that each record is fully decoded and encoded.
    for (std::size_t n = 0; n < varel::kChannelCount; ++n)
        image.set(n * varel::kChannelRecordSize, 0x25);
    return image;
}

void BM_DecodeImage(benchmark::State& state) {
    const varel::MemoryImage in = RandomImage();
    for (auto _ : state) {
        varel::Configuration cfg;
        varel::DecodeImage(in, cfg, varel::Language::English);
        benchmark::DoNotOptimize(cfg);
    }
}
BENCHMARK(BM_DecodeImage);

void BM_EncodeImage(benchmark::State& state) {
    varel::Configuration cfg;
    varel::DecodeImage(RandomImage(), cfg, varel::Language::English);
    varel::MemoryImage out;
    for (auto _ : state) {
        varel::EncodeImage(cfg, out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_EncodeImage);

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void BM_SaveDataFile(benchmark::State& state) {
    TempFolder folder;
    const std::string path = folder.file("bench.dat");
    const varel::MemoryImage image = RandomImage();
    for (auto _ : state) {
        if (!varel::SaveDataFile(path, image).ok()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMicrosecond);

void BM_LoadDataFile(benchmark::State& state) {
    TempFolder folder;
    const std::string path = folder.file("bench.dat");
    if (!varel::SaveDataFile(path, RandomImage()).ok()) state.SkipWithError("save failed");
    varel::MemoryImage in;
    for (auto _ : state) {
        if (!varel::LoadDataFile(path, in).ok()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(in);
    }
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMicrosecond);

}  // namespace
