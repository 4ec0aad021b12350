#include "SimulatedDevice.h"

#include <algorithm>
#include <sstream>

#include "SimulatedDeviceEnv.h"

namespace {

std::wstring NewLogPath() {
    static int s_count = 0;
    wchar_t dir[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"orvanta-sim-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++s_count) + L".log";
}

// Opens the log shared with the program, which may be appending at this moment.
HANDLE OpenLog(const std::wstring& path, DWORD access, DWORD disposition) {
    return ::CreateFileW(path.c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CSimulatedDevice::CSimulatedDevice(const Setup& setup) : m_logPath(NewLogPath()) {
    ClearLog();
    ::SetEnvironmentVariableW(kSimDeviceVar, setup.present ? L"1" : L"0");
    ::SetEnvironmentVariableW(kSimTypeVar, std::to_wstring(setup.type).c_str());
    ::SetEnvironmentVariableW(kSimVersionVar, std::to_wstring(setup.version).c_str());
    ::SetEnvironmentVariableW(kSimHwVersionVar, std::to_wstring(setup.hwVersion).c_str());
    ::SetEnvironmentVariableW(kSimFailRegisterVar, std::to_wstring(setup.failRegister).c_str());
    ::SetEnvironmentVariableW(kSimLogVar, m_logPath.c_str());
}

CSimulatedDevice::~CSimulatedDevice() {
    for (const wchar_t* name : {kSimDeviceVar, kSimTypeVar, kSimVersionVar, kSimHwVersionVar,
                                kSimFailRegisterVar, kSimLogVar}) {
        ::SetEnvironmentVariableW(name, nullptr);
    }
    ::DeleteFileW(m_logPath.c_str());
}

std::vector<std::string> CSimulatedDevice::Calls() const {
    std::string text;
    HANDLE file = OpenLog(m_logPath, GENERIC_READ, OPEN_EXISTING);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            text.append(buffer, read);
        }
        ::CloseHandle(file);
    }
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

bool CSimulatedDevice::WaitForCall(std::string_view line, DWORD timeoutMs) const {
    return gui::WaitUntil(
        [&] {
            const auto calls = Calls();
            return std::find(calls.begin(), calls.end(), line) != calls.end();
        },
        timeoutMs);
}

void CSimulatedDevice::ClearLog() const {
    HANDLE file = OpenLog(m_logPath, GENERIC_WRITE, CREATE_ALWAYS);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
}
