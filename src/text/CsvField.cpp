#include "text/CsvField.h"

#include <algorithm>

#include "text/Unicode.h"

namespace {

// The characters that start a formula in a spreadsheet.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

bool StartsFormula(char32_t c) {
    return c < 0x80 && kFormulaStarts.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

void AppendCsvField(std::string& line, std::wstring_view text) {
    std::string field;
    if (!text.empty() && StartsFormula(text.front()))
        field = "'";
    AppendUtf8(field, text);
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        line += field;
        return;
    }
    line += '"';
    for (char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

std::string_view CsvText(std::string_view field) {
    if (field.size() > 1 && field[0] == '\'' && StartsFormula(field[1]))
        field.remove_prefix(1);
    return field;
}

std::span<const std::string> CsvRecords::Next() {
    // Runs of plain characters go into the field whole, and the fields keep their storage:
    // a log of a hundred thousand lines is read in a fraction of a second.
    std::size_t count = 0;
    auto newField = [&]() -> std::string& {
        if (count == m_fields.size())
            m_fields.emplace_back();
        std::string& field = m_fields[count++];
        field.clear();
        return field;
    };
    std::string* field = &newField();
    bool quoted = false;
    while (m_at < m_text.size()) {
        const std::size_t run = m_at;
        m_at = std::min(m_text.find_first_of(quoted ? "\"" : ",\"\n", m_at), m_text.size());
        field->append(m_text, run, m_at - run);
        if (m_at == m_text.size())
            break;
        const char c = m_text[m_at++];
        if (c == '"' && quoted && m_at < m_text.size() && m_text[m_at] == '"') {
            *field += '"';
            ++m_at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',') {
            field = &newField();
        } else {  // a line feed outside quotes ends the record, with the CR before it
            if (m_at - 1 > run && m_text[m_at - 2] == '\r')
                field->pop_back();
            break;
        }
    }
    return {m_fields.data(), count};
}
