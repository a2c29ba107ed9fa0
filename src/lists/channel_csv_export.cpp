// Export of the channel model as a channel list, to a file or to the clipboard.
#include <string>

#include "files/file_io.h"
#include "image/channel_columns.h"
#include "image/encodings.h"
#include "lists/channel_csv.h"
#include "lists/channel_csv_format.h"
#include "lists/csv_text.h"

namespace varel {

namespace {

constexpr long long kUhfFrom = 300 * 100000LL;  // 300 MHz in 10 Hz units: VHF below, UHF above

// Notes what the list cannot carry of a channel.
void Note(CsvExport& out, int channel, CsvColumn column, CsvIssueKind kind,
          const std::string& value) {
    out.issues.push_back({0, channel, CsvColumnName(column), kind, value, {}});
}

// The tone the encoder would write: position 0 (or one outside the list) is off whatever the
// text says; a listed text is not language-dependent.
CsvTone ToneOf(const Channel& ch, int column, CsvExport& out, int channel) {
    const int position = ch.index(column);
    const auto& list = ToneList(Language::English);
    if (position > 0 && position < static_cast<int>(list.size()))
        return ToneOfText(list[static_cast<std::size_t>(position)]);
    const std::string& text = ch.text(column);
    if (!text.empty() && text != OffText(Language::English) && text != OffText(Language::Chinese))
        Note(out, channel, column == kRxToneColumn ? CsvColumn::CToneFreq : CsvColumn::RToneFreq,
             CsvIssueKind::ToneNotListed, text);
    return {};
}

void WriteSide(const CsvTone& tone, CsvFields& f, CsvColumn ctcss, CsvColumn dcs,
               std::size_t polarity) {
    if (tone.kind == CsvTone::Kind::Ctcss) Field(f, ctcss) = tone.value;
    if (tone.kind == CsvTone::Kind::Dcs) {
        Field(f, dcs) = tone.value;
        Field(f, CsvColumn::DtcsPolarity)[polarity] = tone.polarity;
    }
}

void WriteTones(const CsvTone& tx, const CsvTone& rx, CsvFields& f) {
    using Kind = CsvTone::Kind;
    std::string& mode = Field(f, CsvColumn::Tone);
    if (tx.kind == Kind::Off && rx.kind == Kind::Off) return;
    if (tx.kind == Kind::Ctcss && rx.kind == Kind::Off) {
        mode = "Tone";
        Field(f, CsvColumn::RToneFreq) = tx.value;
    } else if (tx.kind == Kind::Ctcss && rx == tx) {
        mode = "TSQL";
        Field(f, CsvColumn::RToneFreq) = Field(f, CsvColumn::CToneFreq) = tx.value;
    } else if (tx.kind == Kind::Dcs && rx.kind == Kind::Dcs && tx.value == rx.value) {
        mode = "DTCS";
        WriteSide(tx, f, CsvColumn::RToneFreq, CsvColumn::DtcsCode, 0);
        WriteSide(rx, f, CsvColumn::CToneFreq, CsvColumn::RxDtcsCode, 1);
    } else {
        mode = "Cross";
        Field(f, CsvColumn::CrossMode) = CrossModeOf(tx.kind, rx.kind);
        WriteSide(tx, f, CsvColumn::RToneFreq, CsvColumn::DtcsCode, 0);
        WriteSide(rx, f, CsvColumn::CToneFreq, CsvColumn::RxDtcsCode, 1);
    }
}

// A name as the list carries it: without control characters (an image whose name area is
// zeroed gives names of NULs), which would make the whole list unreadable and which reading a
// name drops anyway.
std::string WrittenName(const std::string& name) {
    std::string out;
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    return out;
}

// Duplex and Offset of a channel with a transmit frequency and TX Prohibit Off.
void WriteDuplex(long long rx, long long tx, CsvFields& f) {
    if (tx == rx) return;
    if ((rx < kUhfFrom) != (tx < kUhfFrom)) {
        Field(f, CsvColumn::Duplex) = "split";
        Field(f, CsvColumn::Offset) = MHzOfUnits(tx);
        return;
    }
    Field(f, CsvColumn::Duplex) = tx > rx ? "+" : "-";
    Field(f, CsvColumn::Offset) = MHzOfUnits(tx > rx ? tx - rx : rx - tx);
}

// The row of an existing channel; false (with an issue) when its frequencies are malformed.
bool ChannelRow(const Channel& ch, int n, CsvExport& out, CsvFields& f) {
    const auto rxUnits = UnitsOfModelText(ch.freq[0]);
    const bool hasTx = !ch.freq[1].empty();
    const auto txUnits = hasTx ? UnitsOfModelText(ch.freq[1]) : rxUnits;
    if (!rxUnits || !txUnits) {
        Note(out, n, rxUnits ? CsvColumn::Offset : CsvColumn::Frequency, CsvIssueKind::LeftOut,
             ch.freq[rxUnits ? 1 : 0]);
        return false;
    }
    const long long rx = *rxUnits;
    const long long tx = *txUnits;
    f = CsvUnusedFields();
    Field(f, CsvColumn::Location) = std::to_string(n);
    Field(f, CsvColumn::Name) = WrittenName(ch.name);
    Field(f, CsvColumn::Frequency) = MHzOfUnits(rx);
    if (!hasTx || ch.index(kTxProhibitColumn) == 0) {
        Field(f, CsvColumn::Duplex) = "off";
        if (tx != rx) Note(out, n, CsvColumn::Duplex, CsvIssueKind::TransmitDropped, ch.freq[1]);
    } else {
        WriteDuplex(rx, tx, f);
    }
    const CsvTone rxTone = ToneOf(ch, kRxToneColumn, out, n);
    WriteTones(ToneOf(ch, kTxToneColumn, out, n), rxTone, f);
    Field(f, CsvColumn::Mode) = ch.index(kBandColumn) == 0 ? "NFM" : "FM";
    if (rx % kRaster5kHz != 0 && rx % kRaster6k25Hz == 0) Field(f, CsvColumn::TStep) = "6.25";
    Field(f, CsvColumn::Skip) = ch.index(kAddScanColumn) == 0 ? "S" : "";
    Field(f, CsvColumn::Power) = PowerWatts(ch.index(kPowerColumn));
    return true;
}

// The row of a channel the list cannot carry, its frequency texts as they are, so that reading
// the row back refuses it instead of emptying the channel.
void RawRow(const Channel& ch, int n, CsvFields& f) {
    f = CsvUnusedFields();
    Field(f, CsvColumn::Location) = std::to_string(n);
    Field(f, CsvColumn::Name) = WrittenName(ch.name);
    Field(f, CsvColumn::Frequency) = ch.freq[0];
    if (!ch.freq[1].empty() && ch.freq[1] != ch.freq[0]) {
        Field(f, CsvColumn::Duplex) = "split";
        Field(f, CsvColumn::Offset) = ch.freq[1];
    }
}

// The row of an empty channel: its Location, nothing else.
void EmptyRow(int n, CsvFields& f) {
    f = CsvFields{};
    Field(f, CsvColumn::Location) = std::to_string(n);
}

}  // namespace

bool CsvExport::leftOut() const {
    for (const CsvIssue& issue : issues)
        if (issue.kind == CsvIssueKind::LeftOut) return true;
    return false;
}

CsvExport WriteChannelList(const ChannelModel& model, const CsvWriteOptions& options) {
    CsvExport out;
    CsvFields fields;
    for (std::size_t i = 0; i < kCsvColumnCount; ++i)
        fields[i] = CsvColumnName(static_cast<CsvColumn>(i));
    out.text = CsvLine({fields.begin(), fields.end()}, options.separator);
    for (int n = options.first; n <= options.last; ++n) {
        const Channel& ch = model.channel(n);
        if (!ch.exists()) {
            if (!options.everyChannel) continue;
            EmptyRow(n, fields);
        } else if (!ChannelRow(ch, n, out, fields)) {
            if (!options.everyChannel) continue;
            RawRow(ch, n, fields);
        }
        out.text += CsvLine({fields.begin(), fields.end()}, options.separator);
        ++out.rows;
    }
    return out;
}

CsvExport ExportChannelCsv(const ChannelModel& model) {
    return WriteChannelList(model, {});
}

DataFileResult SaveChannelCsv(const std::string& path, const std::string& text) {
    return ReplaceFile(path, {text.begin(), text.end()});
}

}  // namespace varel
