// The fixed texts of the main dialog's message boxes.
#pragma once

inline constexpr wchar_t kNotImplemented[] = L"Not implemented";
inline constexpr wchar_t kReallyExit[] = L"no write done - really exit?";
inline constexpr wchar_t kReallyExitCaption[] = L"?";

// Configuration files: the system menu entries, the file dialogs' filter, several at once.
inline constexpr wchar_t kOpenConfigMenu[] = L"&Open configuration...";
inline constexpr wchar_t kSaveConfigMenu[] = L"&Save configuration as...";
inline constexpr wchar_t kConfigFilter[] =
    L"Configuration files (*.ini)\0*.ini\0All files (*.*)\0*.*\0";
inline constexpr wchar_t kDropOneFile[] = L"Drop one configuration file at a time.";
inline constexpr wchar_t kStartWithOneFile[] =
    L"Start the program with one configuration file at a time.";

// The production log: the system menu entry and its file dialog's filter.
inline constexpr wchar_t kProductionLogMenu[] = L"Production &log...";
inline constexpr wchar_t kLogFilter[] = L"CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0";

// A timed write whose timer the system refused; the system's reason follows.
inline constexpr wchar_t kTimerRefused[] =
    L"Nothing was sent to the key box: the system refused the timer that paces the "
    L"transmission. ";

// The shared serial numbers: the system menu entry, the counter's file dialog filter, the
// question while a counter is in use, and the words around the counter's path.
inline constexpr wchar_t kSharedSerialMenu[] = L"Shared &serial numbers...";
inline constexpr wchar_t kCounterFilter[] =
    L"Serial counters (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
inline constexpr wchar_t kCounterInUse[] = L"The serial numbers are taken from the counter \"";
inline constexpr wchar_t kCounterChoice[] =
    L"\".\n\nYes: choose another counter file.\nNo: stop sharing; this bench numbers its own key "
    L"boxes from the serial field on.\nCancel: keep the counter.";
inline constexpr wchar_t kCounterTip[] = L"\", shared with the other benches.";
inline constexpr wchar_t kCannotMakeCounter[] = L"Cannot make the serial counter \"";
// The key maps in the production log: the system menu entry.
inline constexpr wchar_t kLogKeyMapMenu[] = L"Key map from production lo&g...";
