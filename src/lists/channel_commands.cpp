#include "lists/channel_commands.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "image/channel_columns.h"
#include "lists/cell_paste.h"
#include "lists/channel_csv_format.h"

namespace varel {

namespace {

constexpr int kLastChannel = static_cast<int>(kChannelCount);

void CheckRange(ChannelRange range) {
    if (range.first < 1 || range.last > kLastChannel || range.first > range.last)
        throw std::out_of_range("channel range outside 1-128");
}

void CheckChannel(int channel) {
    if (channel < 1 || channel > kLastChannel) throw std::out_of_range("channel outside 1-128");
}

// A row holds something a user could lose: a frequency or a name (shown or not).
bool HoldsAnything(const ChannelRowState& state) {
    const Channel& ch = state.channel;
    return !ch.freq[0].empty() || !ch.freq[1].empty() || !ch.name.empty() ||
           !state.nameCell.empty();
}

}  // namespace

std::string CopyChannels(const ChannelModel& model, ChannelRange range) {
    CheckRange(range);
    CsvWriteOptions options;
    options.separator = '\t';
    options.first = range.first;
    options.last = range.last;
    options.everyChannel = true;
    return WriteChannelList(model, options).text;
}

CsvImport PasteChannels(const std::string& text, int first, ChannelTable& table,
                        const FrequencyBand& band, Language lang) {
    CheckChannel(first);
    CsvReadOptions options;
    options.startChannel = first;
    return ReadChannelList(text, options, table, band, lang);
}

CsvImport PasteText(const std::string& text, int row, int column, ChannelTable& table,
                    const FrequencyBand& band, Language lang) {
    if (IsChannelListText(text)) return PasteChannels(text, row, table, band, lang);
    return PasteCells(text, row, column, table, band, lang);
}

void ClearChannels(ChannelTable& table, ChannelRange range) {
    CheckRange(range);
    for (int r = range.first; r <= range.last; ++r) table.ClearNO(r);
}

bool InsertChannel(ChannelTable& table, int row) {
    CheckChannel(row);
    if (HoldsAnything(table.row(kLastChannel))) return false;
    for (int r = kLastChannel; r > row; --r) table.setRow(r, table.row(r - 1));
    table.ClearNO(row);
    return true;
}

void DeleteChannels(ChannelTable& table, ChannelRange range) {
    CheckRange(range);
    const int count = range.last - range.first + 1;
    for (int r = range.first; r + count <= kLastChannel; ++r) table.setRow(r, table.row(r + count));
    for (int r = kLastChannel - count + 1; r <= kLastChannel; ++r) table.ClearNO(r);
}

bool MoveChannels(ChannelTable& table, ChannelRange range, int step) {
    CheckRange(range);
    if (step == -1 && range.first > 1) {
        const ChannelRowState passed = table.row(range.first - 1);
        for (int r = range.first; r <= range.last; ++r) table.setRow(r - 1, table.row(r));
        table.setRow(range.last, passed);
        return true;
    }
    if (step == 1 && range.last < kLastChannel) {
        const ChannelRowState passed = table.row(range.last + 1);
        for (int r = range.last; r >= range.first; --r) table.setRow(r + 1, table.row(r));
        table.setRow(range.first, passed);
        return true;
    }
    return false;
}

void SortByReceiveFrequency(ChannelTable& table) {
    struct Keyed {
        int group;  // 0 a frequency, 1 a text that is not one, 2 an empty row
        long long units;
        ChannelRowState state;
    };
    std::vector<Keyed> rows;
    rows.reserve(kChannelCount);
    for (int r = 1; r <= kLastChannel; ++r) {
        ChannelRowState state = table.row(r);
        const auto units = UnitsOfModelText(state.channel.freq[0]);
        const int group = !state.channel.exists() ? 2 : units ? 0 : 1;
        rows.push_back({group, units.value_or(0), std::move(state)});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Keyed& a, const Keyed& b) {
        return a.group != b.group ? a.group < b.group : a.units < b.units;
    });
    for (int r = 1; r <= kLastChannel; ++r)
        table.setRow(r, rows[static_cast<std::size_t>(r - 1)].state);
}

int BulkPick(ChannelTable& table, ChannelRange range, int column, int position, Language lang) {
    CheckRange(range);
    if (column < kFirstListColumn || column > kLastListColumn) return 0;
    int changed = 0;
    for (int r = range.first; r <= range.last; ++r) {
        if (!table.model().channel(r).exists()) continue;
        const ChannelRowState before = table.row(r);
        if (!table.CommitChoice(r, column, position, lang)) return 0;  // nothing was changed
        if (table.row(r) != before) ++changed;
    }
    return changed;
}

}  // namespace varel
