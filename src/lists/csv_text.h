#pragma once
// Comma- (or tab-) separated text: splitting a file into records and writing one record as a
// line.
//
// Reading is tolerant: a UTF-8 byte-order mark is skipped, records end at LF, CRLF or a lone
// CR, blank lines (empty fields only) and lines starting with '#' are left out, and a quote inside
// an unquoted field is an ordinary character. Quoted fields may hold separators, doubled quotes and
// line breaks; blanks between a closing quote and the next separator are dropped. Three faults
// refuse the whole text: a control character other than tab, CR and LF (the file is not text), a
// quote that is never closed, and text after a closing quote ("14"6.5), which no writer produces
// and whose meaning is anyone's guess.
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
    None,            ///< split
    NotText,         ///< a control character other than tab, CR and LF
    OpenQuote,       ///< a quoted field runs to the end of the text
    TextAfterQuote,  ///< a closing quote followed by more of the field
};

/// The records of a text, or the first fault and its line.
struct CsvText {
    std::vector<CsvRecord> records;           ///< every record that is not blank or a comment
    CsvTextError error = CsvTextError::None;  ///< the fault; records is empty when set
    /// Line of the fault: of the opening quote, or of the text after the closing one.
    int errorLine = 0;
};

/// How a text is split.
struct CsvSyntax {
    char separator = ',';  ///< ',' or '\t'
    /// After the first record, blank lines and lines starting with '#' are records too (a pasted
    /// block, whose rows count one by one); blank records at the end are still left out.
    bool everyRow = false;
};

/// Splits a text into records.
CsvText ParseCsv(const std::string& text, const CsvSyntax& syntax = {});

/// The separator of a pasted text: tab when its first line that is neither blank nor a comment
/// holds more tabs than commas, else comma.
char DetectSeparator(const std::string& text);

/// One record as a line ending in LF; a field holding the separator, a quote, CR or LF is
/// quoted, its quotes doubled.
std::string CsvLine(const std::vector<std::string>& fields, char separator = ',');

}  // namespace varel
