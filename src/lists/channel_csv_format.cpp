#include "lists/channel_csv_format.h"

#include "image/numeric_text.h"

namespace varel {

namespace {

struct CsvColumnText {
    const char* name;
    const char* unused;  // what export writes when the column has nothing to say
};

constexpr CsvColumnText kColumns[kCsvColumnCount] = {
    {"Location", ""},       {"Name", ""},           {"Frequency", ""},
    {"Duplex", ""},         {"Offset", "0.000000"}, {"Tone", ""},
    {"rToneFreq", "88.5"},  {"cToneFreq", "88.5"},  {"DtcsCode", "023"},
    {"DtcsPolarity", "NN"}, {"RxDtcsCode", "023"},  {"CrossMode", "Tone->Tone"},
    {"Mode", "FM"},         {"TStep", "5.00"},      {"Skip", ""},
    {"Power", "5.0W"},      {"Comment", ""},        {"URCALL", ""},
    {"RPT1CALL", ""},       {"RPT2CALL", ""},       {"DVCODE", ""},
};

struct CrossModeTones {
    const char* name;
    CsvTone::Kind tx;
    CsvTone::Kind rx;
};

using K = CsvTone::Kind;
// "Tone->" is read as a plain Tone; export writes Tone for that pair.
constexpr CrossModeTones kCrossModes[] = {
    {"Tone->Tone", K::Ctcss, K::Ctcss}, {"Tone->DTCS", K::Ctcss, K::Dcs},
    {"DTCS->Tone", K::Dcs, K::Ctcss},   {"DTCS->DTCS", K::Dcs, K::Dcs},
    {"->Tone", K::Off, K::Ctcss},       {"->DTCS", K::Off, K::Dcs},
    {"DTCS->", K::Dcs, K::Off},         {"Tone->", K::Ctcss, K::Off},
};

constexpr long long kUnitsPerMHz = 100000;  // 10 Hz units
constexpr int kMaxIntegerDigits = 6;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Padded(long long value, std::size_t digits) {
    std::string text = std::to_string(value);
    if (text.size() < digits) text.insert(0, digits - text.size(), '0');
    return text;
}

}  // namespace

const char* CsvColumnName(CsvColumn column) {
    return kColumns[static_cast<std::size_t>(column)].name;
}

const CsvFields& CsvUnusedFields() {
    static const CsvFields fields = [] {
        CsvFields f;
        for (std::size_t i = 0; i < kCsvColumnCount; ++i) f[i] = kColumns[i].unused;
        return f;
    }();
    return fields;
}

CsvTone ToneOfText(const std::string& text) {
    CsvTone tone;
    if (text.size() == 5 && text[0] == 'D' && (text[4] == 'N' || text[4] == 'I')) {
        tone.kind = K::Dcs;
        tone.value = text.substr(1, 3);
        tone.polarity = text[4] == 'I' ? 'R' : 'N';
    } else if (!text.empty() && IsNumeric(text)) {
        tone.kind = K::Ctcss;
        tone.value = text;
    }
    return tone;
}

std::string TextOfTone(const CsvTone& tone) {
    switch (tone.kind) {
        case K::Off:
            return {};
        case K::Ctcss:
            return tone.value;
        case K::Dcs:
            return "D" + tone.value + (tone.polarity == 'R' ? "I" : "N");
    }
    return {};
}

std::string CrossModeOf(CsvTone::Kind tx, CsvTone::Kind rx) {
    for (const CrossModeTones& cross : kCrossModes)
        if (cross.tx == tx && cross.rx == rx) return cross.name;
    return {};
}

bool KindsOfCrossMode(const std::string& mode, CsvTone::Kind& tx, CsvTone::Kind& rx) {
    const std::string wanted = Lowered(Trimmed(mode));
    for (const CrossModeTones& cross : kCrossModes) {
        if (Lowered(cross.name) == wanted) {
            tx = cross.tx;
            rx = cross.rx;
            return true;
        }
    }
    return false;
}

std::optional<long long> UnitsOfModelText(const std::string& text) {
    if (text.size() != 9 || text[3] != '.') return std::nullopt;
    long long units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 3) continue;
        if (!IsDigit(text[i])) return std::nullopt;
        units = units * 10 + (text[i] - '0');
    }
    return units;
}

std::string ModelTextOfUnits(long long units) {
    return std::to_string(units / kUnitsPerMHz) + "." + Padded(units % kUnitsPerMHz, 5);
}

std::string MHzOfUnits(long long units) {
    return ModelTextOfUnits(units) + "0";
}

std::optional<CsvDecimal> ParseDecimal(const std::string& text) {
    const std::string t = Trimmed(text);
    const std::size_t point = t.find('.');
    const std::string whole = t.substr(0, point);
    const std::string decimals = point == std::string::npos ? "" : t.substr(point + 1);
    if (whole.empty() && decimals.empty()) return std::nullopt;
    for (const std::string& part : {whole, decimals})
        for (char c : part)
            if (!IsDigit(c)) return std::nullopt;

    CsvDecimal value;
    const std::size_t firstDigit = whole.find_first_not_of('0');
    const std::string significant = firstDigit == std::string::npos ? "" : whole.substr(firstDigit);
    if (significant.size() > kMaxIntegerDigits) {
        value.units = 1000000 * kUnitsPerMHz;  // far above any band
        value.exact = false;
        return value;
    }
    long long units = significant.empty() ? 0 : std::stoll(significant);
    for (std::size_t i = 0; i < 5; ++i)
        units = units * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    if (decimals.size() > 5) {
        if (decimals[5] >= '5') ++units;
        value.exact = decimals.find_first_not_of('0', 5) == std::string::npos;
    }
    value.units = units;
    return value;
}

const char* PowerWatts(int position) {
    switch (position) {
        case 0:
            return "1.0W";
        case 2:
            return "2.0W";
        default:
            return "5.0W";  // High, and the unused value 3 that reads as High
    }
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lowered(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string UpperAscii(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == separator)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

}  // namespace varel
