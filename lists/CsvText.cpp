#include "CsvText.h"

namespace kx9 {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvReader
{
public:
    explicit CsvReader(std::string_view text) : m_text(text) {}

    std::vector<CsvRecord> records()
    {
        std::vector<CsvRecord> out;
        while (!atEnd()) {
            if (peek() == '#') {
                skipLine();
                continue;
            }
            if (atLineEnd()) {
                takeLineEnd();
                continue;
            }
            out.push_back(record());
        }
        return out;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text[m_pos]; }
    bool atLineEnd() const { return !atEnd() && (peek() == '\r' || peek() == '\n'); }

    // CRLF, LF or a lone CR each end one line.
    void takeLineEnd()
    {
        if (peek() == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') {
            ++m_pos;
        }
        ++m_pos;
        ++m_line;
    }

    void skipLine()
    {
        while (!atEnd() && !atLineEnd()) {
            ++m_pos;
        }
        if (!atEnd()) {
            takeLineEnd();
        }
    }

    CsvRecord record()
    {
        CsvRecord rec;
        rec.line = m_line;
        for (;;) {
            rec.fields.push_back(field(rec.unterminatedQuote));
            // A text that ends on a line end inside quotes has no line after it.
            rec.lastLine =
                atEnd() && m_pos > 0 && (m_text[m_pos - 1] == '\n' || m_text[m_pos - 1] == '\r')
                    ? m_line - 1
                    : m_line;
            if (atEnd()) {
                break;
            }
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            takeLineEnd();
            break;
        }
        return rec;
    }

    // A field up to the next comma or line end. Text after a closing quote
    // is kept, as spreadsheets do, rather than dropping the record.
    std::string field(bool &unterminated)
    {
        std::string value;
        if (!atEnd() && peek() == '"') {
            ++m_pos;
            for (;;) {
                if (atEnd()) {
                    unterminated = true;
                    return value;
                }
                const char c = peek();
                if (c == '"') {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
                        value += '"';
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                if (c == '\r' || c == '\n') {
                    // A line end inside quotes belongs to the field; keep the
                    // line count right for the records that follow.
                    const std::size_t start = m_pos;
                    takeLineEnd();
                    value.append(m_text.substr(start, m_pos - start));
                    continue;
                }
                value += c;
                ++m_pos;
            }
        }
        while (!atEnd() && peek() != ',' && !atLineEnd()) {
            value += peek();
            ++m_pos;
        }
        return value;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

} // namespace

std::vector<CsvRecord> parseCsv(std::string_view text)
{
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return CsvReader(text).records();
}

std::string csvField(std::string_view value)
{
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(value);
    }
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

std::string csvLine(const std::vector<std::string> &fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) {
            out += ',';
        }
        out += csvField(fields[i]);
    }
    out += "\r\n";
    return out;
}

} // namespace kx9
