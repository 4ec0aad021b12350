// Fields of the CSV files the program writes, in UTF-8, as a spreadsheet reads them back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Adds `text` to `line` as one field. One that starts like a formula gets an apostrophe, so
// that it shows as text and never runs; one that holds a comma, a quote or a line break is
// quoted, with its quotes doubled.
void AppendCsvField(std::string& line, std::wstring_view text);

// The fields of the record that starts at `at` in `text`, as written above (quoted fields
// with doubled quotes; no apostrophe is taken off); the record ends at a line break outside
// quotes, LF or CR LF, or at the end. `at` moves past it.
std::vector<std::string> NextCsvRecord(std::string_view text, std::size_t& at);
