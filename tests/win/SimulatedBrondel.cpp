// The device library of the program's test build: a key box that exists only in environment
// variables, so a test can take the dialog through the library's paths under Wine. Every call
// is appended to a log file, one line each, for the test to check the whole order.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "SimulatedDeviceEnv.h"
#include "device/Brondel.h"

namespace {

struct SimulatedKeyBox {
    bool present = false;
    int type = 0;
    int version = 0;
    int hwVersion = 0;
    std::vector<int> failRegisters;
    std::optional<int> failResult;
    int ioxResult = 1;
    std::wstring logPath;
};

// One library object per program: the key box is read from the environment when it is made.
SimulatedKeyBox g_keyBox;

std::optional<std::wstring> Variable(const wchar_t* name) {
    // GetEnvironmentVariableW, not _wgetenv: the C runtime's copy misses changes made after
    // start-up by SetEnvironmentVariableW, which is how an in-process test sets them.
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

// Decimal or 0x hex; nullopt when the text is not a whole number.
std::optional<int> ParseNumber(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 0);
    if (end == text.c_str() || *end != L'\0') {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

int NumberOr(const wchar_t* name, int fallback) {
    const auto text = Variable(name);
    const auto value = text ? ParseNumber(*text) : std::nullopt;
    return value ? *value : fallback;
}

std::vector<int> NumberList(const wchar_t* name) {
    std::vector<int> numbers;
    const auto text = Variable(name);
    if (!text) {
        return numbers;
    }
    std::size_t start = 0;
    while (start <= text->size()) {
        std::size_t comma = text->find(L',', start);
        if (comma == std::wstring::npos) {
            comma = text->size();
        }
        if (const auto value = ParseNumber(text->substr(start, comma - start))) {
            numbers.push_back(*value);
        }
        start = comma + 1;
    }
    return numbers;
}

SimulatedKeyBox ReadKeyBox() {
    SimulatedKeyBox box;
    box.present = Variable(kSimDeviceVar).value_or(L"") == L"1";
    box.type = NumberOr(kSimTypeVar, 0);
    box.version = NumberOr(kSimVersionVar, 0);
    box.hwVersion = NumberOr(kSimHwVersionVar, 0);
    box.failRegisters = NumberList(kSimFailRegistersVar);
    if (const auto text = Variable(kSimFailResultVar)) {
        box.failResult = ParseNumber(*text);
    }
    box.ioxResult = NumberOr(kSimIoxResultVar, 1);
    box.logPath = Variable(kSimLogVar).value_or(L"");
    return box;
}

// Opened and closed for every line, so the test can read the log while the program runs and
// nothing is lost when the program is killed.
void Log(const char* format, ...) {
    if (g_keyBox.logPath.empty()) {
        return;
    }
    FILE* file = ::_wfopen(g_keyBox.logPath.c_str(), L"a");
    if (file == nullptr) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fclose(file);
}

// Such a key box takes its whole configuration as an image, whose writes fail negative.
bool TakesImage(const SimulatedKeyBox& box) {
    return box.type == 0x48 || ((box.type == 0x41 || box.type == 0x42) && box.hwVersion != 0);
}

}  // namespace

CBrondel::CBrondel() {
    g_keyBox = ReadKeyBox();
    Log("CBrondel");
}

CBrondel::~CBrondel() {
    Log("~CBrondel");
}

int CBrondel::OpenVelkara() {
    Log("OpenVelkara");
    return g_keyBox.present ? 1 : 0;
}

int CBrondel::CloseVelkara() {
    Log("CloseVelkara");
    return 0;
}

int CBrondel::GetUSBType(int device) {
    Log("GetUSBType %d", device);
    return g_keyBox.type;
}

int CBrondel::GetVersion(int device) {
    Log("GetVersion %d", device);
    return g_keyBox.version;
}

int CBrondel::GetHWversion(int device) {
    Log("GetHWversion %d", device);
    return g_keyBox.hwVersion;
}

int CBrondel::SetLED(int device, LED_IDs led, int value) {
    Log("SetLED %d %d %d", device, static_cast<int>(led), value);
    return 1;
}

int CBrondel::IOX(int device, int address, int value) {
    Log("IOX %d %d %d", device, address, value);
    for (int failing : g_keyBox.failRegisters) {
        if (failing == address) {
            return g_keyBox.failResult.value_or(TakesImage(g_keyBox) ? -1 : 0);
        }
    }
    return g_keyBox.ioxResult;
}

int CBrondel::ResetDevice(int device) {
    Log("ResetDevice %d", device);
    return 1;
}
