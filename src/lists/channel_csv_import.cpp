// Import and paste of a channel list into the channel table, row by row with the channel editor's
// rules.
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "files/file_io.h"
#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/typed_input.h"
#include "image/vocabulary.h"
#include "lists/channel_csv.h"
#include "lists/channel_csv_format.h"
#include "lists/csv_text.h"

namespace varel {

namespace {

constexpr long long kWattUnits = 100000;  // one watt in the units of ParseDecimal

using Kind = CsvTone::Kind;

// Where each column stands in the file; -1 for a column the header lacks.
using ColumnIndex = std::array<int, kCsvColumnCount>;

// What one row asks for, read completely before the table is touched.
struct RowPlan {
    int location = 0;
    std::string rxWritten;                      // the Frequency field as written
    CsvDecimal rx;                              // receive frequency
    std::optional<long long> tx;                // transmit frequency when it differs from receive
    std::string txWritten;                      // the transmit frequency for messages
    bool prohibit = false;                      // Duplex off
    std::array<int, kListColumns> positions{};  // list positions of columns 3 to 9
    std::string name;                           // as the name editor takes it
    std::vector<CsvIssue> snaps;                // frequencies moved onto the channel raster
    std::vector<CsvIssue> fallbacks;            // name, power, mode and scan not taken as written
    std::set<CsvColumn> assumed;                // columns the header lacks that the row needed

    int& position(int column) {
        return positions[static_cast<std::size_t>(column - kFirstListColumn)];
    }
};

// The channels as a report lists them: "36, 40, 44", runs as "1-20".
std::string ChannelsText(const std::vector<int>& channels) {
    std::string text;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        std::size_t last = i;
        while (last + 1 < channels.size() && channels[last + 1] == channels[last] + 1) ++last;
        if (!text.empty()) text += ", ";
        text += std::to_string(channels[i]);
        if (last > i) text += "-" + std::to_string(channels[last]);
        i = last;
    }
    return text;
}

class RowReader {
public:
    // Columns the header lacks whose value the row reads are noted in assumed.
    RowReader(const CsvRecord& record, const ColumnIndex& index, std::set<CsvColumn>& assumed)
        : m_record(record), m_index(index), m_assumed(assumed) {}

    int line() const { return m_record.line; }

    // The field of a column, or the unused value when the header lacks the column (noted when
    // that value says something); a row shorter than the header reads as empty fields.
    std::string get(CsvColumn column) const {
        const int i = m_index[static_cast<std::size_t>(column)];
        if (i < 0) {
            const std::string& assumed = Field(CsvUnusedFields(), column);
            if (!assumed.empty()) m_assumed.insert(column);
            return assumed;
        }
        const auto at = static_cast<std::size_t>(i);
        return at < m_record.fields.size() ? m_record.fields[at] : std::string();
    }

    CsvIssue issue(CsvColumn column, CsvIssueKind kind, const std::string& value,
                   const std::string& detail = {}) const {
        return {line(), 0, CsvColumnName(column), kind, value, detail};
    }

private:
    const CsvRecord& m_record;
    const ColumnIndex& m_index;
    std::set<CsvColumn>& m_assumed;
};

CsvIssueKind IssueOfTextError(CsvTextError error) {
    switch (error) {
        case CsvTextError::NotText:
            return CsvIssueKind::NotText;
        case CsvTextError::TextAfterQuote:
            return CsvIssueKind::TextAfterQuote;
        default:
            return CsvIssueKind::OpenQuote;
    }
}

// Reads the rows of a parsed text into the table.
class Importer {
public:
    Importer(const CsvReadOptions& options, ChannelTable& table, const FrequencyBand& band,
             Language lang, CsvImport& out)
        : m_options(options), m_table(table), m_band(band), m_lang(lang), m_out(out) {}

    bool pasting() const { return m_options.startChannel > 0; }

    void run(const CsvText& csv) {
        if (csv.error != CsvTextError::None) {
            refuse(csv.errorLine, IssueOfTextError(csv.error));
            return;
        }
        if (csv.records.empty()) {
            refuse(0, CsvIssueKind::EmptyFile);
            return;
        }
        if (!readHeader(csv.records.front())) return;
        if (csv.records.size() == 1)
            m_out.issues.push_back({csv.records.front().line, 0, {}, CsvIssueKind::NoRows, {}, {}});
        for (std::size_t i = 1; i < csv.records.size(); ++i) {
            const int channel = m_options.startChannel + static_cast<int>(i) - 1;
            if (pasting() && channel > static_cast<int>(kChannelCount)) {
                const auto dropped = static_cast<int>(csv.records.size() - i);
                CsvIssue past{csv.records[i].line, 0, {}, CsvIssueKind::PastLastChannel, {}, {}};
                past.detail = std::to_string(dropped);
                m_out.issues.push_back(past);
                m_out.skipped += dropped;
                break;
            }
            importRow(csv.records[i], channel);
        }
        reportAssumed();
    }

private:
    void refuse(int line, CsvIssueKind kind, const std::string& column = {}) {
        m_out.issues.push_back({line, 0, column, kind, {}, {}});
        m_out.refused = true;
    }

    bool readHeader(const CsvRecord& header) {
        m_index.fill(-1);
        std::set<std::string> unknown;  // each unknown name is reported once
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string name = Trimmed(header.fields[i]);
            if (name.empty()) continue;
            const std::string key = Lowered(name);
            std::size_t c = 0;
            while (c < kCsvColumnCount && key != Lowered(CsvColumnName(static_cast<CsvColumn>(c))))
                ++c;
            if (c == kCsvColumnCount) {
                if (unknown.insert(key).second)
                    m_out.issues.push_back(
                        {header.line, 0, name, CsvIssueKind::UnknownColumn, {}, {}});
            } else if (m_index[c] >= 0) {
                m_out.issues.push_back(
                    {header.line, 0, name, CsvIssueKind::RepeatedColumn, {}, {}});
            } else {
                m_index[c] = static_cast<int>(i);
            }
        }
        for (CsvColumn required : {CsvColumn::Location, CsvColumn::Frequency})
            if (m_index[static_cast<std::size_t>(required)] < 0 &&
                !(pasting() && required == CsvColumn::Location))
                refuse(header.line, CsvIssueKind::MissingColumn, CsvColumnName(required));
        return !m_out.refused;
    }

    // A row of a file goes to its Location; a pasted row to the given channel, which it
    // empties when its Frequency is empty.
    void importRow(const CsvRecord& record, int pastedChannel) {
        RowPlan plan;
        const RowReader row(record, m_index, plan.assumed);
        std::optional<CsvIssue> problem;
        if (pasting()) {
            plan.location = pastedChannel;
            if (Trimmed(row.get(CsvColumn::Frequency)).empty()) {
                m_table.ClearNO(plan.location);
                ++m_out.taken;
                m_out.channels.push_back(plan.location);
                return;
            }
        } else {
            problem = readLocation(row, plan.location);
        }
        if (!problem) problem = readRow(row, plan);
        if (!problem) problem = apply(row, plan);
        if (problem) {
            m_out.issues.push_back(*problem);
            ++m_out.skipped;
            return;
        }
        ++m_out.taken;
        m_out.channels.push_back(plan.location);
        if (!plan.snaps.empty() || !plan.fallbacks.empty()) ++m_out.changed;
        m_out.issues.insert(m_out.issues.end(), plan.snaps.begin(), plan.snaps.end());
        m_out.issues.insert(m_out.issues.end(), plan.fallbacks.begin(), plan.fallbacks.end());
        for (CsvColumn column : plan.assumed) m_assumed[column].push_back(plan.location);
    }

    // One line for each column the header lacks that taken rows needed: the value they took and
    // their channels.
    void reportAssumed() {
        for (auto& [column, channels] : m_assumed) {
            std::sort(channels.begin(), channels.end());
            m_out.issues.push_back({0, 0, CsvColumnName(column), CsvIssueKind::Assumed,
                                    Field(CsvUnusedFields(), column), ChannelsText(channels)});
        }
    }

    std::optional<CsvIssue> readLocation(const RowReader& row, int& location) {
        const std::string written = Trimmed(row.get(CsvColumn::Location));
        if (written.empty() || written.find_first_not_of("0123456789") != std::string::npos)
            return row.issue(CsvColumn::Location, CsvIssueKind::BadNumber, written);
        const std::size_t first = written.find_first_not_of('0');
        const std::string digits = first == std::string::npos ? "0" : written.substr(first);
        location = digits.size() > 3 ? 0 : std::stoi(digits);
        if (location < 1 || location > static_cast<int>(kChannelCount))
            return row.issue(CsvColumn::Location, CsvIssueKind::LocationRange, written);
        int& firstLine = m_firstLine[static_cast<std::size_t>(location)];
        if (firstLine != 0)
            return row.issue(CsvColumn::Location, CsvIssueKind::DuplicateLocation, written,
                             std::to_string(firstLine));
        firstLine = row.line();
        return std::nullopt;
    }

    // Everything but the location; the first field that cannot be taken skips the row.
    std::optional<CsvIssue> readRow(const RowReader& row, RowPlan& plan) {
        plan.rxWritten = Trimmed(row.get(CsvColumn::Frequency));
        if (plan.rxWritten.empty())
            return row.issue(CsvColumn::Frequency, CsvIssueKind::NoFrequency, {});
        const auto rx = ParseDecimal(plan.rxWritten);
        if (!rx) return row.issue(CsvColumn::Frequency, CsvIssueKind::BadNumber, plan.rxWritten);
        plan.rx = *rx;
        if (auto problem = readDuplex(row, plan)) return problem;
        if (auto problem = readTones(row, plan)) return problem;
        readName(row, plan);
        plan.position(kPowerColumn) = readPower(row, plan.fallbacks);
        plan.position(kBandColumn) = readChoice(row, CsvColumn::Mode, {"nfm", "fm"}, plan);
        plan.position(kAddScanColumn) = readChoice(row, CsvColumn::Skip, {"s", "", "p"}, plan);
        plan.position(kTxProhibitColumn) = plan.prohibit ? 0 : 1;
        return std::nullopt;
    }

    std::optional<CsvIssue> readDuplex(const RowReader& row, RowPlan& plan) {
        const std::string given = Trimmed(row.get(CsvColumn::Duplex));
        const std::string duplex = Lowered(given);
        if (duplex.empty()) return std::nullopt;
        if (duplex == "off") {
            plan.prohibit = true;
            return std::nullopt;
        }
        if (duplex != "+" && duplex != "-" && duplex != "split")
            return row.issue(CsvColumn::Duplex, CsvIssueKind::UnknownValue, given);
        const std::string written = Trimmed(row.get(CsvColumn::Offset));
        const auto offset = ParseDecimal(written);
        if (!offset) return row.issue(CsvColumn::Offset, CsvIssueKind::BadNumber, written);
        long long tx = offset->units;
        if (duplex != "split") tx = duplex == "+" ? plan.rx.units + tx : plan.rx.units - tx;
        plan.txWritten =
            duplex == "split" ? written : (tx < 0 ? "-" : "") + MHzOfUnits(tx < 0 ? -tx : tx);
        if (tx < 0) return row.issue(CsvColumn::Offset, CsvIssueKind::OutOfBand, plan.txWritten);
        plan.tx = tx;
        return std::nullopt;
    }

    std::optional<CsvIssue> readTones(const RowReader& row, RowPlan& plan) {
        const std::string written = Trimmed(row.get(CsvColumn::Tone));
        const std::string mode = Lowered(written);
        Kind txKind = Kind::Off;
        Kind rxKind = Kind::Off;
        if (mode == "tone") {
            txKind = Kind::Ctcss;
        } else if (mode == "tsql") {
            txKind = rxKind = Kind::Ctcss;
        } else if (mode == "dtcs") {
            txKind = rxKind = Kind::Dcs;
        } else if (mode == "cross") {
            if (!KindsOfCrossMode(row.get(CsvColumn::CrossMode), txKind, rxKind))
                return row.issue(CsvColumn::CrossMode, CsvIssueKind::UnknownValue,
                                 Trimmed(row.get(CsvColumn::CrossMode)));
        } else if (!mode.empty()) {
            return row.issue(CsvColumn::Tone, CsvIssueKind::UnknownValue, written);
        }
        // TSQL squelches and encodes with the one tone of cToneFreq, DTCS with the one code of
        // DtcsCode.
        const CsvColumn txCtcss = mode == "tsql" ? CsvColumn::CToneFreq : CsvColumn::RToneFreq;
        const CsvColumn rxDcs = mode == "dtcs" ? CsvColumn::DtcsCode : CsvColumn::RxDtcsCode;
        if (auto problem = readTone(row, txKind, txCtcss, CsvColumn::DtcsCode, 0,
                                    plan.position(kTxToneColumn)))
            return problem;
        return readTone(row, rxKind, CsvColumn::CToneFreq, rxDcs, 1, plan.position(kRxToneColumn));
    }

    // One side's tone list position; polarity is the side's letter in DtcsPolarity.
    std::optional<CsvIssue> readTone(const RowReader& row, Kind kind, CsvColumn ctcss,
                                     CsvColumn dcs, std::size_t polarity, int& position) const {
        position = 0;
        if (kind == Kind::Off) return std::nullopt;
        CsvTone tone;
        tone.kind = kind;
        const CsvColumn column = kind == Kind::Ctcss ? ctcss : dcs;
        const std::string written = Trimmed(row.get(column));
        if (kind == Kind::Ctcss) {
            // Hz with any number of decimals, as long as only the first one is not zero.
            const auto hz = ParseDecimal(written);
            if (hz && hz->exact && hz->units % 10000 == 0)
                tone.value = std::to_string(hz->units / 100000) + "." +
                             std::to_string(hz->units / 10000 % 10);
        } else {
            std::string letters = UpperAscii(Trimmed(row.get(CsvColumn::DtcsPolarity)));
            if (letters.empty()) letters = "NN";
            if (letters.size() != 2 || letters.find_first_not_of("NR") != std::string::npos)
                return row.issue(CsvColumn::DtcsPolarity, CsvIssueKind::UnknownValue, letters);
            tone.polarity = letters[polarity];
            // Spreadsheets drop leading zeros: "23" is code 023.
            if (!written.empty() && written.size() <= 3 &&
                written.find_first_not_of("01234567") == std::string::npos)
                tone.value = std::string(3 - written.size(), '0') + written;
        }
        position = tone.value.empty() ? 0 : ToneIndex(TextOfTone(tone), m_lang);
        if (position == 0) return row.issue(column, CsvIssueKind::UnknownTone, written);
        return std::nullopt;
    }

    void readName(const RowReader& row, RowPlan& plan) const {
        const std::string written = row.get(CsvColumn::Name);
        // The radio's whole name field, not the name editor's shorter limit.
        plan.name = FilterTyped(KeySet::ChannelName, written, static_cast<int>(kNameSize));
        if (plan.name != UpperAscii(written))
            plan.fallbacks.push_back(
                row.issue(CsvColumn::Name, CsvIssueKind::Adjusted, written, plan.name));
    }

    // Power as a word of either language or as watts, mapped to the nearest level (the lower
    // one on a tie).
    static int readPower(const RowReader& row, std::vector<CsvIssue>& changes) {
        const int high = ChannelColumnAt(kPowerColumn).defaultPosition;
        const std::string written = Trimmed(row.get(CsvColumn::Power));
        const std::string word = Lowered(written);
        if (word.empty()) return high;
        if (word == "mid") return 2;
        const Entries& levels = PowerEntries();
        for (std::size_t p = 0; p < levels.size(); ++p)
            if (word == Lowered(levels[p].en) || written == levels[p].zh)
                return static_cast<int>(p);

        const auto watts =
            ParseDecimal(word.back() == 'w' ? word.substr(0, word.size() - 1) : word);
        if (!watts) {
            changes.push_back(
                row.issue(CsvColumn::Power, CsvIssueKind::Defaulted, written, PowerWatts(high)));
            return high;
        }
        struct Level {
            long long units;
            int position;
        };
        const Level byPower[] = {{kWattUnits, 0}, {2 * kWattUnits, 2}, {5 * kWattUnits, 1}};
        const Level* nearest = &byPower[0];
        for (const Level& level : byPower) {
            const long long d = level.units - watts->units;
            const long long best = nearest->units - watts->units;
            if ((d < 0 ? -d : d) < (best < 0 ? -best : best)) nearest = &level;
        }
        if (!watts->exact || watts->units != nearest->units)
            changes.push_back(row.issue(CsvColumn::Power, CsvIssueKind::Adjusted, written,
                                        PowerWatts(nearest->position)));
        return nearest->position;
    }

    // A column whose words (any case) name position 0, then position 1; an empty field takes
    // position 1, the editor's default for Mode and Skip, and so does anything else, reported.
    static int readChoice(const RowReader& row, CsvColumn column,
                          const std::vector<std::string>& words, RowPlan& plan) {
        const std::string written = Trimmed(row.get(column));
        if (written.empty()) return 1;
        for (std::size_t p = 0; p < words.size(); ++p)
            if (Lowered(written) == words[p]) return p == 0 ? 0 : 1;
        plan.fallbacks.push_back(
            row.issue(column, CsvIssueKind::Defaulted, written, Field(CsvUnusedFields(), column)));
        return 1;
    }

    // Enters the row as the user would: clear, receive frequency (a new channel with its
    // defaults), transmit frequency, picks, name. The row's old state comes back on a refusal.
    std::optional<CsvIssue> apply(const RowReader& row, RowPlan& plan) {
        const int n = plan.location;
        const ChannelRowState before = m_table.row(n);
        plan.position(kBusyLockColumn) = before.channel.exists()
                                             ? before.channel.index(kBusyLockColumn)
                                             : ChannelColumnAt(kBusyLockColumn).defaultPosition;
        m_table.ClearNO(n);
        std::optional<CsvIssue> problem;
        if (m_table.CommitFrequency(n, kRxFreqColumn, ModelTextOfUnits(plan.rx.units), m_band,
                                    m_lang) != FrequencyCommit::Accepted)
            problem = row.issue(CsvColumn::Frequency, CsvIssueKind::OutOfBand, plan.rxWritten);
        else if (plan.tx && m_table.CommitFrequency(n, kTxFreqColumn, ModelTextOfUnits(*plan.tx),
                                                    m_band, m_lang) != FrequencyCommit::Accepted)
            problem = row.issue(CsvColumn::Offset, CsvIssueKind::OutOfBand, plan.txWritten);
        if (problem) {
            m_table.setRow(n, before);
            return problem;
        }
        for (int c = kFirstListColumn; c <= kLastListColumn; ++c)
            if (plan.position(c) != ChannelColumnAt(c).defaultPosition)
                m_table.CommitChoice(n, c, plan.position(c), m_lang);
        m_table.CommitName(n, plan.name);

        const Channel& ch = m_table.model().channel(n);
        noteSnap(row, CsvColumn::Frequency, plan.rxWritten, plan.rx.units, plan.rx.exact,
                 ch.freq[0], plan);
        if (plan.tx)
            noteSnap(row, CsvColumn::Offset, plan.txWritten, *plan.tx, true, ch.freq[1], plan);
        return std::nullopt;
    }

    static void noteSnap(const RowReader& row, CsvColumn column, const std::string& written,
                         long long units, bool exact, const std::string& stored, RowPlan& plan) {
        if (exact && UnitsOfModelText(stored) == units) return;
        plan.snaps.push_back(row.issue(column, CsvIssueKind::Adjusted, written, stored));
    }

    const CsvReadOptions& m_options;
    ChannelTable& m_table;
    const FrequencyBand& m_band;
    Language m_lang;
    CsvImport& m_out;
    ColumnIndex m_index{};
    std::array<int, kChannelCount + 1> m_firstLine{};  // line that named each Location first
    std::map<CsvColumn, std::vector<int>> m_assumed;   // channels that took each lacking column
};

}  // namespace

CsvImport ReadChannelList(const std::string& text, const CsvReadOptions& options,
                          ChannelTable& table, const FrequencyBand& band, Language lang) {
    if (options.startChannel < 0 || options.startChannel > static_cast<int>(kChannelCount))
        throw std::out_of_range("paste start outside channels 1-128");
    CsvImport out;
    CsvSyntax syntax;
    if (options.startChannel > 0) {
        syntax.separator = DetectSeparator(text);
        syntax.everyRow = true;
    }
    Importer(options, table, band, lang, out).run(ParseCsv(text, syntax));
    return out;
}

CsvImport ImportChannelCsv(const std::string& text, ChannelTable& table, const FrequencyBand& band,
                           Language lang) {
    return ReadChannelList(text, {}, table, band, lang);
}

DataFileResult LoadChannelCsv(const std::string& path, std::string& text, PipeOpen pipe) {
    std::vector<std::uint8_t> bytes;
    DataFileResult result = ReadFilePrefix(path, kMaxChannelCsvSize + 1, bytes, pipe);
    if (result.ok() && bytes.size() > kMaxChannelCsvSize)
        result = DataFileResult::Failure(DataFileError::WrongType, FileReason::TooLarge);
    text.assign(bytes.begin(), bytes.end());
    return result;
}

}  // namespace varel
