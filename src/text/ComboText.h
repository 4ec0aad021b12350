// How the data exchange shows a text in an editable combo box: the first list item that
// begins with the text (letter case ignored) becomes the selection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Index of the first item that begins with `text`, or -1 when none does. An empty text
// begins every item.
int FindPrefixItem(const std::vector<std::wstring>& items, std::wstring_view text);

// Whether `text` begins with `prefix`, the letters A to Z matched in either case.
bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix);
