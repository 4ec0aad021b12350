#include "text/CsvField.h"

#include "text/Unicode.h"

void AppendCsvField(std::string& line, std::wstring_view text) {
    std::string field;
    if (!text.empty() &&
        std::wstring_view(L"=+-@\t\r").find(text.front()) != std::wstring_view::npos)
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

std::vector<std::string> NextCsvRecord(std::string_view text, std::size_t& at) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (quoted && c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
            fields.back() += '"';
            ++at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            fields.emplace_back();
        } else if (!quoted && c == '\n') {
            ++at;
            break;
        } else if (quoted || c != '\r' || at + 1 >= text.size() || text[at + 1] != '\n') {
            fields.back() += c;
        }
    }
    return fields;
}
