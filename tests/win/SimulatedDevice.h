// The test's side of the simulated device library: sets up the key box that OrvantaSim.exe
// will find (through the environment it inherits) and reads back the calls the program made.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "GuiDriver.h"

class CSimulatedDevice {
public:
    struct Setup {
        bool present = true;  // OpenVelkara finds the key box
        int type = 0x48;
        int version = 0;
        int hwVersion = 0;
        int failRegister = -1;  // IOX to this register fails
    };

    // Sets the variables for every program started after this, with a fresh, empty log.
    explicit CSimulatedDevice(const Setup& setup);
    // Clears the variables again and removes the log.
    ~CSimulatedDevice();
    CSimulatedDevice(const CSimulatedDevice&) = delete;
    CSimulatedDevice& operator=(const CSimulatedDevice&) = delete;

    // The program's test build, next to the test program.
    static std::wstring ProgramPath() { return gui::ProgramPath(L"OrvantaSim.exe"); }

    // Every call logged so far, one line each ("IOX 0 8 48"), in order.
    std::vector<std::string> Calls() const;
    // Polls the log until `line` has been logged; false on timeout.
    bool WaitForCall(std::string_view line, DWORD timeoutMs = gui::kTimeoutMs) const;
    // Empties the log, so the next check sees one command's calls only.
    void ClearLog() const;

private:
    std::wstring m_logPath;
};
