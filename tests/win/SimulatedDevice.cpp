#include "SimulatedDevice.h"

#include <cstdio>
#include <sstream>

#include "SimulatedDeviceEnv.h"

namespace {

void SetVariable(const wchar_t* name, const std::optional<int>& value) {
    if (value) {
        ::SetEnvironmentVariableW(name, std::to_wstring(*value).c_str());
    } else {
        ::SetEnvironmentVariableW(name, nullptr);
    }
}

std::wstring NewLogPath() {
    static int s_count = 0;
    wchar_t dir[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"orvanta-sim-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++s_count) + L".log";
}

std::string ReadWholeFile(const std::wstring& path) {
    // Shared with the program, which may be appending at this moment.
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    ::CloseHandle(file);
    return text;
}

}  // namespace

CSimulatedDevice::CSimulatedDevice(const Setup& setup) : m_logPath(NewLogPath()) {
    ClearLog();
    ::SetEnvironmentVariableW(kSimDeviceVar, setup.present ? L"1" : L"0");
    SetVariable(kSimTypeVar, setup.type);
    SetVariable(kSimVersionVar, setup.version);
    SetVariable(kSimHwVersionVar, setup.hwVersion);
    std::wstring failing;
    for (int address : setup.failRegisters) {
        failing += (failing.empty() ? L"" : L",") + std::to_wstring(address);
    }
    ::SetEnvironmentVariableW(kSimFailRegistersVar, failing.empty() ? nullptr : failing.c_str());
    SetVariable(kSimFailResultVar, setup.failResult);
    SetVariable(kSimIoxResultVar, setup.ioxResult);
    ::SetEnvironmentVariableW(kSimLogVar, m_logPath.c_str());
}

CSimulatedDevice::~CSimulatedDevice() {
    for (const wchar_t* name :
         {kSimDeviceVar, kSimTypeVar, kSimVersionVar, kSimHwVersionVar, kSimFailRegistersVar,
          kSimFailResultVar, kSimIoxResultVar, kSimLogVar}) {
        ::SetEnvironmentVariableW(name, nullptr);
    }
    ::DeleteFileW(m_logPath.c_str());
}

std::wstring CSimulatedDevice::ProgramPath() {
    return gui::ProgramPath(L"OrvantaSim.exe");
}

std::vector<std::string> CSimulatedDevice::Calls() const {
    std::vector<std::string> lines;
    std::istringstream text(ReadWholeFile(m_logPath));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<CSimulatedDevice::Write> CSimulatedDevice::IoxWrites() const {
    std::vector<Write> writes;
    for (const std::string& line : Calls()) {
        int device = 0;
        Write write;
        if (std::sscanf(line.c_str(), "IOX %d %d %d", &device, &write.address, &write.value) == 3) {
            writes.push_back(write);
        }
    }
    return writes;
}

bool CSimulatedDevice::WaitForCall(std::string_view line, int count, DWORD timeoutMs) const {
    return gui::WaitUntil(
        [&] {
            int seen = 0;
            for (const std::string& call : Calls()) {
                seen += call == line ? 1 : 0;
            }
            return seen >= count;
        },
        timeoutMs);
}

void CSimulatedDevice::ClearLog() const {
    // Truncates in place: the program opens the file only for the moment of each line.
    HANDLE file = ::CreateFileW(m_logPath.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
    }
}
