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
