#include "lists/csv_text.h"

#include <algorithm>

namespace varel {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

bool IsControl(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}

// A record of empty fields only, as spreadsheets write for an empty row.
bool IsBlank(const CsvRecord& record) {
    for (const std::string& field : record.fields)
        if (!field.empty()) return false;
    return true;
}

// Splits a text that has passed the control character check.
class CsvSplitter {
public:
    CsvSplitter(const std::string& text, const CsvSyntax& syntax) : m_text(text), m_syntax(syntax) {
        if (m_text.compare(0, 3, kBom) == 0) m_pos = 3;
    }

    CsvText split() {
        CsvText out;
        std::size_t kept = 0;  // records up to the last one that is not blank
        while (m_pos < m_text.size()) {
            const bool asWritten = m_syntax.everyRow && !out.records.empty();
            if (m_text[m_pos] == '#' && !asWritten) {
                skipLine();
                continue;
            }
            CsvRecord record;
            record.line = m_line;
            const CsvTextError error = readRecord(record.fields);
            if (error != CsvTextError::None) {
                out.records.clear();
                out.error = error;
                out.errorLine = m_errorLine;
                return out;
            }
            const bool blank = IsBlank(record);
            if (blank && !asWritten) continue;
            out.records.push_back(std::move(record));
            if (!blank) kept = out.records.size();
        }
        out.records.resize(kept);
        return out;
    }

private:
    bool atLineEnd() const { return m_text[m_pos] == '\n' || m_text[m_pos] == '\r'; }
    bool atFieldEnd() const { return m_text[m_pos] == m_syntax.separator || atLineEnd(); }

    // Moves over one line end (LF, CRLF or CR) and counts the line.
    void takeLineEnd() {
        if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    void skipLine() {
        while (m_pos < m_text.size() && !atLineEnd()) ++m_pos;
        if (m_pos < m_text.size()) takeLineEnd();
    }

    // Reads fields up to and including the record's line end.
    CsvTextError readRecord(std::vector<std::string>& fields) {
        std::string field;
        while (true) {
            if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                const CsvTextError error = readQuoted(field);
                if (error != CsvTextError::None) return error;
            }
            while (m_pos < m_text.size() && !atFieldEnd()) field += m_text[m_pos++];
            fields.push_back(std::move(field));
            field.clear();
            if (m_pos == m_text.size()) return CsvTextError::None;
            if (atLineEnd()) {
                takeLineEnd();
                return CsvTextError::None;
            }
            ++m_pos;  // the separator
        }
    }

    // Reads a quoted field from its opening quote up to the next separator or line end, which
    // it leaves to the caller.
    CsvTextError readQuoted(std::string& field) {
        m_errorLine = m_line;
        ++m_pos;
        while (true) {
            if (m_pos == m_text.size()) return CsvTextError::OpenQuote;
            const char c = m_text[m_pos];
            if (c == '"' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
                field += '"';
                m_pos += 2;
            } else if (c == '"') {
                ++m_pos;
                break;
            } else if (atLineEnd()) {
                // A line break inside quotes belongs to the field.
                const std::size_t start = m_pos;
                takeLineEnd();
                field.append(m_text, start, m_pos - start);
            } else {
                field += c;
                ++m_pos;
            }
        }
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;  // blanks before the separator
        if (m_pos < m_text.size() && !atFieldEnd()) {
            m_errorLine = m_line;
            return CsvTextError::TextAfterQuote;
        }
        return CsvTextError::None;
    }

    const std::string& m_text;
    const CsvSyntax& m_syntax;
    std::size_t m_pos = 0;
    int m_line = 1;
    int m_errorLine = 0;
};

std::string Quoted(const std::string& field, char separator) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (field.find_first_of(special) == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace

CsvText ParseCsv(const std::string& text, const CsvSyntax& syntax) {
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++line;
        if (IsControl(c)) {
            CsvText out;
            out.error = CsvTextError::NotText;
            out.errorLine = line;
            return out;
        }
    }
    return CsvSplitter(text, syntax).split();
}

char DetectSeparator(const std::string& text) {
    std::size_t pos = text.compare(0, 3, kBom) == 0 ? 3 : 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line[0] == '#' || line.find_first_not_of(",\t") == std::string::npos)
            continue;
        const auto tabs = std::count(line.begin(), line.end(), '\t');
        return tabs > std::count(line.begin(), line.end(), ',') ? '\t' : ',';
    }
    return ',';
}

std::string CsvLine(const std::vector<std::string>& fields, char separator) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += separator;
        line += Quoted(fields[i], separator);
    }
    return line + '\n';
}

}  // namespace varel
