// Names of the Windows virtual-key codes, as the feedback field's key monitor echoes them.
// Several codes share one text ("illegal", "reserved", "?").
#pragma once

#include <array>
#include <string_view>

// Entry vk names virtual-key code vk (0x00..0xFF).
extern const std::array<std::wstring_view, 256> g_virtualKeyNames;
