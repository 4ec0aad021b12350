// Fields of the CSV files the program writes, in UTF-8, as a spreadsheet reads them back.
#pragma once

#include <string>
#include <string_view>

// Adds `text` to `line` as one field. One that starts like a formula gets an apostrophe, so
// that it shows as text and never runs; one that holds a comma, a quote or a line break is
// quoted, with its quotes doubled.
void AppendCsvField(std::string& line, std::wstring_view text);
