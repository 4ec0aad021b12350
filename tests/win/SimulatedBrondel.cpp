// The device library of the program's test build: a key box that exists only in environment
// variables, so a test can take the dialog through the library's paths under Wine. Every call
// is appended to a log file, one line each, for the test to check the whole order.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>

#include "SimulatedDeviceEnv.h"
#include "device/Brondel.h"

namespace {

struct SimulatedKeyBox {
    bool present = false;
    int type = 0;
    int version = 0;
    int hwVersion = 0;
    int failRegister = -1;
    std::wstring logPath;
};

SimulatedKeyBox g_keyBox;  // read from the environment when the library object is made

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

int NumberOr(const wchar_t* name, int fallback) {
    const std::wstring text = Variable(name);
    return text.empty() ? fallback : static_cast<int>(std::wcstol(text.c_str(), nullptr, 0));
}

// Opened and closed for every line, so the test can read the log while the program runs.
void Log(const char* format, ...) {
    FILE* file = g_keyBox.logPath.empty() ? nullptr : ::_wfopen(g_keyBox.logPath.c_str(), L"a");
    if (file == nullptr)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fclose(file);
}

}  // namespace

CBrondel::CBrondel() {
    g_keyBox.present = Variable(kSimDeviceVar) == L"1";
    g_keyBox.type = NumberOr(kSimTypeVar, 0);
    g_keyBox.version = NumberOr(kSimVersionVar, 0);
    g_keyBox.hwVersion = NumberOr(kSimHwVersionVar, 0);
    g_keyBox.failRegister = NumberOr(kSimFailRegisterVar, -1);
    g_keyBox.logPath = Variable(kSimLogVar);
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
    if (address != g_keyBox.failRegister)
        return 1;
    // A key box that takes its configuration as an image reports a failure as negative.
    const bool image = g_keyBox.type == 0x48 ||
                       ((g_keyBox.type == 0x41 || g_keyBox.type == 0x42) && g_keyBox.hwVersion);
    return image ? -1 : 0;
}

int CBrondel::ResetDevice(int device) {
    Log("ResetDevice %d", device);
    return 1;
}
