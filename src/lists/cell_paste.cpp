#include "lists/cell_paste.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

#include "image/channel_columns.h"
#include "image/typed_input.h"
#include "lists/channel_csv_format.h"
#include "lists/csv_text.h"

namespace varel {

namespace {

constexpr int kLastChannel = static_cast<int>(kChannelCount);

// The lines of a text split at LF or CRLF, the empty lines at its end left out.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines = SplitAt(text, '\n');
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// The values of a line, blanks around each left out.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells = SplitAt(line, '\t');
    for (std::string& cell : cells) cell = Trimmed(cell);
    return cells;
}

// The list position whose entry reads value, in lang or else in the other language.
std::optional<int> EntryPosition(int column, const std::string& value, Language lang) {
    const Language other = lang == Language::English ? Language::Chinese : Language::English;
    for (const Language l : {lang, other}) {
        const auto& list = ChannelColumnList(column, l);
        for (std::size_t p = 0; p < list.size(); ++p)
            if (Lowered(list[p]) == Lowered(value)) return static_cast<int>(p);
    }
    return std::nullopt;
}

// Enters the cells of one block row into a channel, left to right.
class RowPaste {
public:
    RowPaste(ChannelTable& table, int channel, const FrequencyBand& band, Language lang)
        : m_table(table), m_channel(channel), m_band(band), m_lang(lang) {}

    // Takes a value into its cell; a refusal is returned and ends the row.
    std::optional<CsvIssue> enter(int column, const std::string& value) {
        if (m_emptied) return std::nullopt;  // the rest of an emptied channel stays empty
        if (column == kRxFreqColumn || column == kTxFreqColumn) return frequency(column, value);
        // An empty value leaves its cell as it is; only an empty name is an entry (it clears
        // the name, as an emptied name editor would).
        const bool exists = m_table.model().channel(m_channel).exists();
        if (value.empty() && (column != kNameColumn || !exists)) return std::nullopt;
        if (!exists) return issue(kRxFreqColumn, CsvIssueKind::NoFrequency, {});
        if (column == kNameColumn) {
            const std::string name =
                FilterTyped(KeySet::ChannelName, value, static_cast<int>(kNameSize));
            m_table.CommitName(m_channel, name);
            if (name != UpperAscii(value))
                m_changes.push_back(issue(column, CsvIssueKind::Adjusted, value, name));
            return std::nullopt;
        }
        const auto position = EntryPosition(column, value, m_lang);
        if (!position)
            return issue(
                column,
                column <= kTxToneColumn ? CsvIssueKind::UnknownTone : CsvIssueKind::UnknownValue,
                value);
        m_table.CommitChoice(m_channel, column, *position, m_lang);
        return std::nullopt;
    }

    const std::vector<CsvIssue>& changes() const { return m_changes; }

private:
    std::optional<CsvIssue> frequency(int column, const std::string& value) {
        // The frequency editor lets only digits and the point be typed.
        if (value.find_first_not_of("0123456789.") != std::string::npos)
            return issue(column, CsvIssueKind::BadNumber, value);
        switch (m_table.CommitFrequency(m_channel, column, value, m_band, m_lang)) {
            case FrequencyCommit::Cleared:
                m_emptied = true;
                return std::nullopt;
            case FrequencyCommit::OutOfBand:
                return issue(column, CsvIssueKind::OutOfBand, value);
            case FrequencyCommit::Unchanged:
                if (!value.empty()) return issue(column, CsvIssueKind::BadNumber, value);
                return std::nullopt;
            case FrequencyCommit::Accepted:
                break;
        }
        return std::nullopt;
    }

    CsvIssue issue(int column, CsvIssueKind kind, const std::string& value,
                   const std::string& detail = {}) const {
        return {0, m_channel, ChannelColumnAt(column).header.in(m_lang), kind, value, detail};
    }

    ChannelTable& m_table;
    int m_channel;
    const FrequencyBand& m_band;
    Language m_lang;
    bool m_emptied = false;
    std::vector<CsvIssue> m_changes;
};

}  // namespace

bool IsChannelListText(const std::string& text) {
    CsvSyntax syntax;
    syntax.separator = DetectSeparator(text);
    const CsvText csv = ParseCsv(text, syntax);
    if (csv.records.empty()) return false;
    for (const std::string& field : csv.records.front().fields) {
        const std::string name = Lowered(Trimmed(field));
        if (name == Lowered(CsvColumnName(CsvColumn::Frequency)) ||
            name == Lowered(CsvColumnName(CsvColumn::Location)))
            return true;
    }
    return false;
}

bool HoldsSeveralCells(const std::string& text) {
    const std::vector<std::string> lines = Lines(text);
    return lines.size() > 1 || (lines.size() == 1 && lines.front().find('\t') != std::string::npos);
}

CsvImport PasteCells(const std::string& text, int row, int column, ChannelTable& table,
                     const FrequencyBand& band, Language lang) {
    if (row < 1 || row > kLastChannel || column < 0 || column > kNameColumn)
        throw std::out_of_range("cell outside the channel grid");
    std::vector<std::vector<std::string>> block;
    std::size_t widest = 0;
    for (const std::string& line : Lines(text)) {
        block.push_back(Cells(line));
        widest = std::max(widest, block.back().size());
    }
    const int start = widest == kGridLaidColumns ? kRxFreqColumn : std::max(column, 1);

    CsvImport out;
    bool reportedWide = false;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const int channel = row + static_cast<int>(i);
        if (channel > kLastChannel) {
            const auto dropped = static_cast<int>(block.size() - i);
            out.issues.push_back(
                {line, 0, {}, CsvIssueKind::PastLastChannel, {}, std::to_string(dropped)});
            out.skipped += dropped;
            break;
        }
        const ChannelRowState before = table.row(channel);
        RowPaste paste(table, channel, band, lang);
        std::optional<CsvIssue> refused;
        const std::vector<std::string>& cells = block[i];
        for (std::size_t j = 0; j < cells.size() && !refused; ++j) {
            const int c = start + static_cast<int>(j);
            if (c <= kNameColumn) {
                refused = paste.enter(c, cells[j]);
            } else if (!reportedWide && !cells[j].empty()) {
                out.issues.push_back({0, channel, {}, CsvIssueKind::UnknownColumn, cells[j], {}});
                reportedWide = true;
            }
        }
        if (refused) {
            table.setRow(channel, before);
            out.issues.push_back(*refused);
            ++out.skipped;
            continue;
        }
        ++out.taken;
        out.channels.push_back(channel);
        if (!paste.changes().empty()) ++out.changed;
        out.issues.insert(out.issues.end(), paste.changes().begin(), paste.changes().end());
    }
    return out;
}

}  // namespace varel
