// The fixed texts of the main dialog's message boxes.
#pragma once

inline constexpr wchar_t kNotImplemented[] = L"Not implemented";
inline constexpr wchar_t kReallyExit[] = L"no write done - really exit?";
inline constexpr wchar_t kReallyExitCaption[] = L"?";
