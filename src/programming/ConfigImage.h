// The configuration image: the byte form in which a key box of type 0x48 holds its whole
// configuration. It goes out through the device library or over the lock-LED channel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "programming/Configuration.h"

inline constexpr int kImageSize = 109;

using ConfigImage = std::array<std::uint8_t, kImageSize>;

// The serial number as 7 upper-case hex digits (bits 27..0, most significant first) and
// their XOR check byte: image offsets 2..9, also direct-programming registers 8..15.
std::array<std::uint8_t, 8> SerialBytes(std::int32_t serial);

// Offset of slot s (0..47) in the image: the slots leave gaps for the three mask bytes.
int SlotOffset(int slot);
// Slots a build writes for a contact count: 8 (n <= 4), 16 (n <= 8) or 48.
int ImageSlotCount(std::int32_t contacts);
// Active length L: 43 for up to 8 contacts, else 109. Only bytes 0..L-1 leave the program.
int ActiveLength(std::int32_t contacts);

// The steps of a build; each writes only the bytes it names.
void PutSerial(ConfigImage& image, std::int32_t serial);                          // offsets 2..9
void PutFlags(ConfigImage& image, bool protectedFlag, std::uint32_t bounceTime);  // 0, 1
void PutRepeatMask(ConfigImage& image, std::wstring_view repeatText, std::int32_t contacts);
void PutSlots(ConfigImage& image, const SlotTexts& slots, std::int32_t contacts);

// A whole build in place: bytes it does not name keep their values. Returns L.
int BuildConfigImage(ConfigImage& image, const Configuration& config);

// The inverse of a build: what the image of a write with `contacts` contacts gives back. The
// bounce time (its low byte), Protected, the key-repeat text (the mask bits the image holds, in
// hex, empty for 0) and the slots that such a write builds (the others "0"); the contacts are
// `contacts`, the serial number the image's. Nothing when the image is not 43 or 109 bytes
// long, its serial bytes are not what a build writes (digits and check byte), or `contacts`
// (1..24) does not fit its length.
std::optional<Configuration> DecodeConfigImage(std::span<const std::uint8_t> image,
                                               std::int32_t contacts);
