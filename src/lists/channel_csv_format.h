#pragma once
// The pieces of the channel list format that export and import share: the columns with the
// value of an unused or missing one, the tone modes, and frequencies as whole 10 Hz units.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace varel {

/// The columns of a channel list, in the order export writes them.
enum class CsvColumn {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
};

/// Number of columns.
constexpr std::size_t kCsvColumnCount = 21;

/// The fields of one row, indexed by CsvColumn.
using CsvFields = std::array<std::string, kCsvColumnCount>;

/// Header name of a column.
const char* CsvColumnName(CsvColumn column);

/// A row with every column at the value export writes when it has nothing to say.
const CsvFields& CsvUnusedFields();

/// The field of a column.
inline std::string& Field(CsvFields& fields, CsvColumn column) {
    return fields[static_cast<std::size_t>(column)];
}
inline const std::string& Field(const CsvFields& fields, CsvColumn column) {
    return fields[static_cast<std::size_t>(column)];
}

/// One side's tone in the format's terms.
struct CsvTone {
    enum class Kind { Off, Ctcss, Dcs };
    Kind kind = Kind::Off;
    std::string value;    ///< "88.5" for CTCSS, "023" for DCS
    char polarity = 'N';  ///< DCS: 'N' normal, 'R' inverted
    bool operator==(const CsvTone& o) const {
        return kind == o.kind && value == o.value && polarity == o.polarity;
    }
};

/// The tone of a tone list text ("88.5", "D023N", "D754I"); Off for anything else.
CsvTone ToneOfText(const std::string& text);

/// The tone list text of a tone ("88.5", "D023I"); empty for Off.
std::string TextOfTone(const CsvTone& tone);

/// The CrossMode of a transmit and receive pair; empty for a pair no cross mode names.
std::string CrossModeOf(CsvTone::Kind tx, CsvTone::Kind rx);

/// The transmit and receive kinds a CrossMode names (case ignored); false when unknown.
bool KindsOfCrossMode(const std::string& mode, CsvTone::Kind& tx, CsvTone::Kind& rx);

/// A frequency as 10 Hz units of a model text "ddd.ddddd"; empty for anything else.
std::optional<long long> UnitsOfModelText(const std::string& text);

/// The model text of 10 Hz units ("145.12500").
std::string ModelTextOfUnits(long long units);

/// 10 Hz units as MHz with six decimals ("145.125000").
std::string MHzOfUnits(long long units);

/// A decimal text of the file in units of 10^-5 (10 Hz for MHz), rounded to whole units.
struct CsvDecimal {
    long long units = 0;  ///< rounded half up; values of 10^6 and more are capped there
    bool exact = true;    ///< false when rounding or the cap changed the value
};

/// Reads digits with at most one point (blanks around them allowed); empty for anything else.
std::optional<CsvDecimal> ParseDecimal(const std::string& text);

/// Power of a list position as the format writes it: "1.0W" Low, "5.0W" High, "2.0W" Middle.
const char* PowerWatts(int position);

/// The text without blanks at either end.
std::string Trimmed(const std::string& text);

/// ASCII letters in lower case.
std::string Lowered(const std::string& text);

/// ASCII letters in upper case.
std::string UpperAscii(const std::string& text);

/// The pieces of a text between separators, as they are ("" gives one empty piece).
std::vector<std::string> SplitAt(const std::string& text, char separator);

}  // namespace varel
