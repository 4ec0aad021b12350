// How a Windows test sets up the simulated device library of OrvantaSim.exe: through
// environment variables that the program inherits from the test that starts it.
#pragma once

// "1": OpenVelkara finds a key box; anything else or unset: it finds none.
inline constexpr wchar_t kSimDeviceVar[] = L"ORVANTA_SIM_DEVICE";
// GetUSBType, GetVersion, GetHWversion (0 when unset).
inline constexpr wchar_t kSimTypeVar[] = L"ORVANTA_SIM_TYPE";
inline constexpr wchar_t kSimVersionVar[] = L"ORVANTA_SIM_VERSION";
inline constexpr wchar_t kSimHwVersionVar[] = L"ORVANTA_SIM_HWVERSION";
// The register whose IOX fails: 0 on direct programming, -1 when the key box takes an image.
inline constexpr wchar_t kSimFailRegisterVar[] = L"ORVANTA_SIM_FAIL_REGISTER";
// File to which every call is appended as one line, e.g. "IOX 0 8 48" or "SetLED 0 3 15".
inline constexpr wchar_t kSimLogVar[] = L"ORVANTA_SIM_LOG";
