// The test's side of the simulated device library: sets up the key box that OrvantaSim.exe
// will find (through the environment it inherits) and reads back the calls the program made.
#pragma once

#include <windows.h>

#include <optional>
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
        std::vector<int> failRegisters;  // IOX to these addresses fails
        std::optional<int> failResult;   // default: 0, or -1 when the key box takes an image
        std::optional<int> ioxResult;    // default: 1
    };

    struct Write {
        int address = 0;
        int value = 0;
        bool operator==(const Write&) const = default;
    };

    // Sets the variables for every program started after this, with a fresh, empty log.
    explicit CSimulatedDevice(const Setup& setup);
    // Clears the variables again and removes the log.
    ~CSimulatedDevice();
    CSimulatedDevice(const CSimulatedDevice&) = delete;
    CSimulatedDevice& operator=(const CSimulatedDevice&) = delete;

    // The program's test build, next to the test program.
    static std::wstring ProgramPath();

    const std::wstring& LogPath() const { return m_logPath; }
    // Every call logged so far, one line each ("IOX 0 8 48"), in order.
    std::vector<std::string> Calls() const;
    // The IOX calls among them, as register and value.
    std::vector<Write> IoxWrites() const;
    // Polls the log until `line` has been logged `count` times; false on timeout.
    bool WaitForCall(std::string_view line, int count = 1, DWORD timeoutMs = gui::kTimeoutMs) const;
    // Empties the log, e.g. after start-up, so the next check sees one command's calls only.
    // The program makes its library calls on its user-interface thread, so after
    // Program::Settle a command it was handling has logged all of them.
    void ClearLog() const;

private:
    std::wstring m_logPath;
};
