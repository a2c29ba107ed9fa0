// Costs over a full 128-channel table: the channel list's export and import, and the channel
// grid's commands (copy and paste of 128 channels as text and in the program's own format, a
// pick applied to all 128, the undo snapshot).
#include <benchmark/benchmark.h>

#include <string>

#include "image/channel_columns.h"
#include "image/channel_table.h"
#include "lists/channel_clip.h"
#include "lists/channel_commands.h"
#include "lists/channel_csv.h"

namespace {

const varel::FrequencyBand kBand = *varel::BandBounds(0);

// 128 channels with repeater offsets, split frequencies, every kind of tone and a name each.
varel::ChannelTable FullTable() {
    using namespace varel;
    ChannelTable t;
    for (int n = 1; n <= 128; ++n) {
        const bool uhf = n % 2 == 0;
        const double rx = uhf ? 430 + n * 0.0125 : 144 + n * 0.0125;
        t.CommitFrequency(n, kRxFreqColumn, std::to_string(rx), kBand, Language::English);
        const double tx = n % 3 == 0 ? rx : (n % 3 == 1 ? rx + (uhf ? 5 : 0.6) : 440 - rx / 10);
        t.CommitFrequency(n, kTxFreqColumn, std::to_string(tx), kBand, Language::English);
        t.CommitChoice(n, kRxToneColumn, n % 265, Language::English);
        t.CommitChoice(n, kTxToneColumn, (n * 7) % 265, Language::English);
        t.CommitChoice(n, kPowerColumn, n % 3, Language::English);
        t.CommitName(n, "CHAN" + std::to_string(n));
    }
    return t;
}

void BM_CopyChannels(benchmark::State& state) {
    const varel::ChannelTable table = FullTable();
    for (auto _ : state) {
        const std::string text = varel::CopyChannels(table.model(), {1, 128});
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_CopyChannels)->Unit(benchmark::kMicrosecond);

void BM_PasteChannels(benchmark::State& state) {
    const varel::ChannelTable source = FullTable();
    const std::string text = varel::CopyChannels(source.model(), {1, 128});
    for (auto _ : state) {
        varel::ChannelTable table = source;
        const varel::CsvImport result =
            varel::PasteChannels(text, 1, table, kBand, varel::Language::English);
        if (result.taken != 128) state.SkipWithError("rows were skipped");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_PasteChannels)->Unit(benchmark::kMicrosecond);

void BM_CopyChannelClip(benchmark::State& state) {
    const varel::ChannelTable table = FullTable();
    for (auto _ : state) {
        const std::string payload =
            varel::EncodeChannelClip(table, {1, 128}, varel::Language::English);
        benchmark::DoNotOptimize(payload.data());
    }
}
BENCHMARK(BM_CopyChannelClip)->Unit(benchmark::kMicrosecond);

void BM_PasteChannelClip(benchmark::State& state) {
    const varel::ChannelTable source = FullTable();
    const std::string payload =
        varel::EncodeChannelClip(source, {1, 128}, varel::Language::English);
    for (auto _ : state) {
        varel::ChannelTable table;
        const auto clip = varel::DecodeChannelClip(payload);
        if (!clip)
            state.SkipWithError("payload refused");
        else
            varel::PasteChannelClip(*clip, 1, table, varel::Language::English);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_PasteChannelClip)->Unit(benchmark::kMicrosecond);

void BM_BulkPick(benchmark::State& state) {
    const varel::ChannelTable source = FullTable();
    int position = 0;
    for (auto _ : state) {
        varel::ChannelTable table = source;
        position = (position + 1) % 3;
        const int changed = varel::BulkPick(table, {1, 128}, varel::kPowerColumn, position,
                                            varel::Language::English);
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_BulkPick)->Unit(benchmark::kMicrosecond);

void BM_CopyOfTheTable(benchmark::State& state) {  // the undo snapshot each command costs
    const varel::ChannelTable source = FullTable();
    for (auto _ : state) {
        varel::ChannelTable table = source;
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_CopyOfTheTable)->Unit(benchmark::kMicrosecond);

void BM_ExportChannelCsv(benchmark::State& state) {
    const varel::ChannelTable table = FullTable();
    for (auto _ : state) {
        const varel::CsvExport list = varel::ExportChannelCsv(table.model());
        benchmark::DoNotOptimize(list.text.data());
    }
}
BENCHMARK(BM_ExportChannelCsv)->Unit(benchmark::kMicrosecond);

void BM_ImportChannelCsv(benchmark::State& state) {
    const std::string text = varel::ExportChannelCsv(FullTable().model()).text;
    for (auto _ : state) {
        varel::ChannelTable table;
        const varel::CsvImport result =
            varel::ImportChannelCsv(text, table, kBand, varel::Language::English);
        if (result.taken != 128) state.SkipWithError("rows were skipped");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_ImportChannelCsv)->Unit(benchmark::kMicrosecond);

}  // namespace
