// Names of the HID keyboard usages the key code chooser offers, in list order.
#pragma once

#include <array>
#include <string_view>

inline constexpr int kHidKeyNameCount = 173;

// Index i names usage UsageFromListIndex(i).
extern const std::array<std::wstring_view, kHidKeyNameCount> g_hidKeyNames;
