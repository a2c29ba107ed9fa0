// Costs of the channel list exchange: export and import of a full 128-channel table.
#include <benchmark/benchmark.h>

#include <string>

#include "image/channel_columns.h"
#include "image/channel_csv.h"
#include "image/channel_table.h"

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
        t.CommitName(n, "CH" + std::to_string(n));
    }
    return t;
}

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
