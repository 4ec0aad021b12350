// The environment variables through which a Windows test sets up the simulated device library
// of OrvantaSim.exe. The program inherits them from the test that starts it.
#pragma once

// "1": OpenVelkara finds a key box; anything else or unset: it finds none.
inline constexpr wchar_t kSimDeviceVar[] = L"ORVANTA_SIM_DEVICE";
// GetUSBType, GetVersion, GetHWversion (decimal or 0x hex; 0 when unset).
inline constexpr wchar_t kSimTypeVar[] = L"ORVANTA_SIM_TYPE";
inline constexpr wchar_t kSimVersionVar[] = L"ORVANTA_SIM_VERSION";
inline constexpr wchar_t kSimHwVersionVar[] = L"ORVANTA_SIM_HWVERSION";
// Comma-separated register addresses whose IOX fails. A failing write returns 0, or -1 when
// the key box takes its configuration as an image (type 0x48, or 0x41/0x42 with a nonzero
// hardware version), unless ORVANTA_SIM_FAIL_RESULT gives the value.
inline constexpr wchar_t kSimFailRegistersVar[] = L"ORVANTA_SIM_FAIL_REGISTERS";
inline constexpr wchar_t kSimFailResultVar[] = L"ORVANTA_SIM_FAIL_RESULT";
// What every other IOX returns; 1 when unset.
inline constexpr wchar_t kSimIoxResultVar[] = L"ORVANTA_SIM_IOX_RESULT";
// File to which every call is appended as one line, e.g. "IOX 0 8 48" or "SetLED 0 3 15".
inline constexpr wchar_t kSimLogVar[] = L"ORVANTA_SIM_LOG";
