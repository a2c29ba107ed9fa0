#include "image/csv_text.h"

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
    explicit CsvSplitter(const std::string& text) : m_text(text) {
        if (m_text.compare(0, 3, kBom) == 0) m_pos = 3;
    }

    CsvText split() {
        CsvText out;
        while (m_pos < m_text.size()) {
            if (m_text[m_pos] == '#') {
                skipLine();
                continue;
            }
            CsvRecord record;
            record.line = m_line;
            if (!readRecord(record.fields)) {
                out.records.clear();
                out.error = CsvTextError::OpenQuote;
                out.errorLine = m_quoteLine;
                return out;
            }
            if (!IsBlank(record)) out.records.push_back(std::move(record));
        }
        return out;
    }

private:
    bool atLineEnd() const { return m_text[m_pos] == '\n' || m_text[m_pos] == '\r'; }

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

    // Reads fields up to and including the record's line end; false for an unclosed quote.
    bool readRecord(std::vector<std::string>& fields) {
        std::string field;
        bool quotedPart = false;  // the field opened with a quote that is still open
        if (m_pos < m_text.size() && m_text[m_pos] == '"') openQuote(quotedPart);
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (quotedPart) {
                if (c == '"') {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
                        field += '"';
                        m_pos += 2;
                    } else {
                        quotedPart = false;
                        ++m_pos;
                    }
                } else if (atLineEnd()) {
                    // A line break inside quotes belongs to the field.
                    const std::size_t start = m_pos;
                    takeLineEnd();
                    field.append(m_text, start, m_pos - start);
                } else {
                    field += c;
                    ++m_pos;
                }
            } else if (c == ',') {
                fields.push_back(std::move(field));
                field.clear();
                ++m_pos;
                if (m_pos < m_text.size() && m_text[m_pos] == '"') openQuote(quotedPart);
            } else if (atLineEnd()) {
                takeLineEnd();
                break;
            } else {
                field += c;
                ++m_pos;
            }
        }
        fields.push_back(std::move(field));
        return !quotedPart;
    }

    void openQuote(bool& quotedPart) {
        quotedPart = true;
        m_quoteLine = m_line;
        ++m_pos;
    }

    const std::string& m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    int m_quoteLine = 0;
};

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace

CsvText ParseCsv(const std::string& text) {
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
    return CsvSplitter(text).split();
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += Quoted(fields[i]);
    }
    return line + '\n';
}

}  // namespace varel
