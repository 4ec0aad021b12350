// Fields of the CSV files the program writes, in UTF-8, as a spreadsheet reads them back.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Adds `text` to `line` as one field. One that starts like a formula (with one of = + - @, a tab
// or a CR) gets an apostrophe, so that it shows as text and never runs; one that holds a comma,
// a quote or a line break is quoted, with its quotes doubled.
void AppendCsvField(std::string& line, std::wstring_view text);

// A field as read back (see CsvRecords) without the apostrophe that AppendCsvField put before
// it; any other field as it is.
std::string_view CsvText(std::string_view field);

// The records of CSV text one after another, as written above (quoted fields with doubled
// quotes; no apostrophe is taken off: see CsvText). A record ends at a line break outside
// quotes, LF or CR LF, or at the end of the text.
class CsvRecords {
public:
    explicit CsvRecords(std::string_view text) : m_text(text) {}
    bool AtEnd() const { return m_at >= m_text.size(); }
    // The fields of the next record; they stay until the next call.
    std::span<const std::string> Next();

private:
    std::string_view m_text;
    std::size_t m_at = 0;
    std::vector<std::string> m_fields;  // kept with their storage from record to record
};
