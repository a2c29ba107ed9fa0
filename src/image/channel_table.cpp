#include "image/channel_table.h"

#include <stdexcept>

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/numeric_text.h"

namespace varel {

namespace {

void CheckRow(int row) {
    if (row < 1 || row > static_cast<int>(kChannelCount))
        throw std::out_of_range("channel row outside 1-128");
}

std::size_t CellRow(int row) {
    CheckRow(row);
    return static_cast<std::size_t>(row - 1);
}

std::size_t CellColumn(int column) {
    if (column < 1 || column > kNameColumn) throw std::out_of_range("grid column outside 1-10");
    return static_cast<std::size_t>(column - 1);
}

bool IsListColumn(int column) {
    return column >= kFirstListColumn && column <= kLastListColumn;
}

}  // namespace

std::string& ChannelTable::cellRef(int row, int column) {
    return m_cells[CellRow(row)][CellColumn(column)];
}

const std::string& ChannelTable::cell(int row, int column) const {
    return m_cells[CellRow(row)][CellColumn(column)];
}

ChannelRowState ChannelTable::row(int row) const {
    CheckRow(row);
    return {m_model.channel(row), m_cells[CellRow(row)]};
}

void ChannelTable::setRow(int row, const ChannelRowState& state) {
    CheckRow(row);
    m_model.channel(row) = state.channel;
    m_cells[CellRow(row)] = state.cells;
}

void ChannelTable::SetGrid() {
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) {
        const Channel& ch = m_model.channel(r);
        GridRow& cells = m_cells[CellRow(r)];
        cells = GridRow{};
        if (ch.exists()) {
            cells[0] = ch.freq[0];
            cells[1] = ch.freq[1];
            for (int c = kFirstListColumn; c <= kLastListColumn; ++c)
                cells[static_cast<std::size_t>(c - 1)] = ch.text(c);
        }
        cells[kNameColumn - 1] = ch.name;
    }
}

void ChannelTable::ClearNO(int row) {
    CheckRow(row);
    m_model.ClearNO(row);
    m_cells[CellRow(row)] = GridRow{};
}

void ChannelTable::ClearGrid() {
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) ClearNO(r);
}

void ChannelTable::RefreshGrid(Language lang) {
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) RefreshRow(r, lang);
}

void ChannelTable::RefreshRow(int row, Language lang) {
    CheckRow(row);
    Channel& ch = m_model.channel(row);
    if (!ch.exists()) {
        // Emptied like ClearNO, except that the name a file or the radio carried is kept.
        const std::string name = ch.name;
        const std::string nameCell = cell(row, kNameColumn);
        ClearNO(row);
        ch.name = name;
        cellRef(row, kNameColumn) = nameCell;
        return;
    }
    cellRef(row, kRxFreqColumn) = ch.freq[0];
    cellRef(row, kTxFreqColumn) = ch.freq[1];
    for (int c = kRxToneColumn; c <= kTxToneColumn; ++c)
        if (ch.index(c) == 0) cellRef(row, c) = OffText(lang);
    for (int c = kPowerColumn; c <= kLastListColumn; ++c) {
        const auto& list = ChannelColumnList(c, lang);
        const auto position = static_cast<std::size_t>(ch.index(c));
        cellRef(row, c) = position < list.size() ? list[position] : std::string();
    }
}

void ChannelTable::TakeFrequencyCell(int row, int column) {
    if (column != kRxFreqColumn && column != kTxFreqColumn) return;
    m_model.channel(row).freq[static_cast<std::size_t>(column - 1)] = cell(row, column);
}

void ChannelTable::TakeNameCell(int row) {
    m_model.channel(row).name = cell(row, kNameColumn);
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
    cellRef(row, column) = *snapped;
    ch.freq[static_cast<std::size_t>(column - 1)] = *snapped;
    if (column == kRxFreqColumn && cell(row, kRxToneColumn).empty()) {
        // A new channel: the transmit frequency follows, every list column takes its default.
        cellRef(row, kTxFreqColumn) = *snapped;
        ch.freq[1] = *snapped;
        for (int c = kFirstListColumn; c <= kLastListColumn; ++c) {
            const ChannelColumn& col = ChannelColumnAt(c);
            cellRef(row, c) = col.defaultText.in(lang);
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
    cellRef(row, kNameColumn) = m_model.channel(row).name;
}

bool ChannelTable::CommitChoice(int row, int column, int position, Language lang) {
    if (!IsListColumn(column)) return false;
    const auto& list = ChannelColumnList(column, lang);
    if (position < 0 || position >= static_cast<int>(list.size())) return false;
    const std::string& text = list[static_cast<std::size_t>(position)];
    Channel& ch = m_model.channel(row);
    cellRef(row, column) = text;
    ch.index(column) = static_cast<std::int16_t>(position);
    if (column == kRxToneColumn || column == kTxToneColumn) ch.text(column) = text;
    return true;
}

}  // namespace varel
