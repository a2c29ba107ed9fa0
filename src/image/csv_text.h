#pragma once
// Comma-separated text: splitting a file into records and writing one record as a line.
//
// Reading is tolerant: a UTF-8 byte-order mark is skipped, records end at LF, CRLF or a lone
// CR, blank lines (empty fields only) and lines starting with '#' are left out, a quote inside an
// unquoted field is an ordinary character, and text after a closing quote is appended to the field.
// Quoted fields may hold commas, doubled quotes and line breaks. Two faults refuse the whole text:
// a control character other than tab, CR and LF (the file is not text), and a quote that is never
// closed.
#include <string>
#include <vector>

namespace varel {

/// One record of a comma-separated text.
struct CsvRecord {
    int line = 0;                     ///< line number (from 1) on which the record starts
    std::vector<std::string> fields;  ///< the fields, unquoted
};

/// Why a text could not be split into records.
enum class CsvTextError {
    None,       ///< split
    NotText,    ///< a control character other than tab, CR and LF
    OpenQuote,  ///< a quoted field runs to the end of the text
};

/// The records of a text, or the first fault and its line.
struct CsvText {
    std::vector<CsvRecord> records;           ///< every record that is not blank or a comment
    CsvTextError error = CsvTextError::None;  ///< the fault; records is empty when set
    int errorLine = 0;                        ///< line of the fault (of the opening quote)
};

/// Splits a text into records.
CsvText ParseCsv(const std::string& text);

/// One record as a line ending in LF; a field holding a comma, a quote, CR or LF is quoted,
/// its quotes doubled.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace varel
