#include "image/channel_table.h"

#include <stdexcept>

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/numeric_text.h"

namespace varel {

namespace {

std::size_t RowSlot(int row) {
    if (row < 1 || row > static_cast<int>(kChannelCount))
        throw std::out_of_range("channel row outside 1-128");
    return static_cast<std::size_t>(row - 1);
}

bool IsListColumn(int column) {
    return column >= kFirstListColumn && column <= kLastListColumn;
}

}  // namespace

std::string& ChannelTable::nameCell(int row) {
    return m_nameCells[RowSlot(row)];
}

const std::string& ChannelTable::cell(int row, int column) const {
    const Channel& ch = m_model.channel(row);
    if (column == kRxFreqColumn || column == kTxFreqColumn)
        return ch.freq[static_cast<std::size_t>(column - kRxFreqColumn)];
    if (IsListColumn(column)) return ch.text(column);
    if (column == kNameColumn) return m_nameCells.at(static_cast<std::size_t>(row - 1));
    throw std::out_of_range("grid column outside 1-10");
}

ChannelRowState ChannelTable::row(int row) const {
    return {m_model.channel(row), m_nameCells[RowSlot(row)]};
}

void ChannelTable::setRow(int row, const ChannelRowState& state) {
    nameCell(row) = state.nameCell;
    m_model.channel(row) = state.channel;
}

void ChannelTable::SetGrid() {
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r)
        nameCell(r) = m_model.channel(r).name;
}

void ChannelTable::ClearNO(int row) {
    nameCell(row).clear();
    m_model.ClearNO(row);
}

void ChannelTable::ClearGrid() {
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) ClearNO(r);
}

void ChannelTable::RefreshGrid(Language lang) {
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) RefreshRow(r, lang);
}

void ChannelTable::RefreshRow(int row, Language lang) {
    Channel& ch = m_model.channel(row);
    if (!ch.exists()) {
        // Emptied like ClearNO, except that the name a file or the radio carried is kept.
        const std::string name = ch.name;
        m_model.ClearNO(row);
        ch.name = name;
        return;
    }
    for (int c = kRxToneColumn; c <= kTxToneColumn; ++c)
        if (ch.index(c) == 0) ch.text(c) = OffText(lang);
    for (int c = kPowerColumn; c <= kLastListColumn; ++c) {
        const auto& list = ChannelColumnList(c, lang);
        const auto position = static_cast<std::size_t>(ch.index(c));
        ch.text(c) = position < list.size() ? list[position] : std::string();
    }
}

void ChannelTable::TakeNameCell(int row) {
    m_model.channel(row).name = nameCell(row);
}

FrequencyCommit ChannelTable::CommitFrequency(int row, int column, const std::string& typed,
                                              const FrequencyBand& band, Language lang) {
    if (column != kRxFreqColumn && column != kTxFreqColumn) return FrequencyCommit::Unchanged;
    if (typed.empty()) {
        if (column != kRxFreqColumn) return FrequencyCommit::Unchanged;
        ClearNO(row);
        return FrequencyCommit::Cleared;
    }
    if (!IsNumeric(typed)) return FrequencyCommit::Unchanged;
    if (!ChannelFrequencyInBand(LeadingNumber(typed), band, lang))
        return FrequencyCommit::OutOfBand;
    const auto snapped = SnapFrequency(WithoutLeadingZeros(typed));
    if (!snapped) return FrequencyCommit::Unchanged;

    Channel& ch = m_model.channel(row);
    ch.freq[static_cast<std::size_t>(column - kRxFreqColumn)] = *snapped;
    if (column == kRxFreqColumn && ch.text(kRxToneColumn).empty()) {
        // A new channel: the transmit frequency follows, every list column takes its default.
        ch.freq[1] = *snapped;
        for (int c = kFirstListColumn; c <= kLastListColumn; ++c) {
            const ChannelColumn& col = ChannelColumnAt(c);
            ch.text(c) = col.defaultText.in(lang);
            ch.index(c) = static_cast<std::int16_t>(col.defaultPosition);
        }
    }
    return FrequencyCommit::Accepted;
}

void ChannelTable::TypeName(int row, const std::string& text) {
    m_model.channel(row).name = StripFillChars(text);
}

void ChannelTable::CommitName(int row, const std::string& text) {
    TypeName(row, text);
    nameCell(row) = m_model.channel(row).name;
}

bool ChannelTable::CommitChoice(int row, int column, int position, Language lang) {
    if (!IsListColumn(column)) return false;
    const auto& list = ChannelColumnList(column, lang);
    if (position < 0 || position >= static_cast<int>(list.size())) return false;
    Channel& ch = m_model.channel(row);
    ch.text(column) = list[static_cast<std::size_t>(position)];
    ch.index(column) = static_cast<std::int16_t>(position);
    return true;
}

}  // namespace varel
