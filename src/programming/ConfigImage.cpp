#include "programming/ConfigImage.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <system_error>

#include "text/HexText.h"

namespace {

// Where the key box keeps its key-repeat mask bytes: in the gaps after slots 7, 15 and 31.
constexpr int kMaskLowOffset = 26;   // contacts 1..8
constexpr int kMaskMidOffset = 43;   // contacts 9..16
constexpr int kMaskHighOffset = 76;  // contacts 17..24

constexpr int kFlagsOffset = 0;
constexpr int kBounceOffset = 1;
constexpr int kSerialOffset = 2;
constexpr std::uint8_t kProtectedBit = 0x01;

constexpr int kShortLength = 43;

std::uint8_t ByteOf(std::uint32_t value, int shift) {
    return static_cast<std::uint8_t>((value >> shift) & 0xFF);
}

}  // namespace

std::array<std::uint8_t, 8> SerialBytes(std::int32_t serial) {
    // The key box stores 28 bits of the serial number; bits 28..31 are not represented.
    const auto bits = static_cast<std::uint32_t>(serial);
    std::array<std::uint8_t, 8> bytes{};
    std::uint8_t check = 0;
    for (int k = 0; k < 7; ++k) {
        const auto nibble = static_cast<std::uint8_t>((bits >> (24 - 4 * k)) & 0x0F);
        const auto digit =
            static_cast<std::uint8_t>(nibble < 10 ? '0' + nibble : 'A' - 10 + nibble);
        bytes[static_cast<size_t>(k)] = digit;
        check ^= digit;
    }
    bytes[7] = check;
    return bytes;
}

int SlotOffset(int slot) {
    assert(slot >= 0 && slot < kSlotCount);
    return 10 + 2 * slot + (slot >= 8 ? 1 : 0) + (slot >= 16 ? 1 : 0) + (slot >= 32 ? 1 : 0);
}

// Counts outside 1..24 can arrive from stored settings: anything below 1 is treated as a small
// box, anything above 24 as a full one.
int ImageSlotCount(std::int32_t contacts) {
    if (contacts <= 4)
        return 8;
    if (contacts <= 8)
        return 16;
    return kSlotCount;
}

int ActiveLength(std::int32_t contacts) {
    return contacts <= 8 ? kShortLength : kImageSize;
}

void PutSerial(ConfigImage& image, std::int32_t serial) {
    const auto bytes = SerialBytes(serial);
    for (size_t i = 0; i < bytes.size(); ++i)
        image[kSerialOffset + i] = bytes[i];
}

void PutFlags(ConfigImage& image, bool protectedFlag, std::uint32_t bounceTime) {
    image[kBounceOffset] = ByteOf(bounceTime, 0);
    image[kFlagsOffset] = protectedFlag ? kProtectedBit : 0x00;
}

void PutRepeatMask(ConfigImage& image, std::wstring_view repeatText, std::int32_t contacts) {
    const std::uint32_t mask = repeatText.empty() ? 0 : ParseHexText(repeatText);
    image[kMaskLowOffset] = ByteOf(mask, 0);
    // A short image (up to 8 contacts) ends before the other two mask bytes.
    if (contacts >= 9) {
        image[kMaskMidOffset] = ByteOf(mask, 8);
        image[kMaskHighOffset] = ByteOf(mask, 16);
    }
}

void PutSlots(ConfigImage& image, const SlotTexts& slots, std::int32_t contacts) {
    const int count = ImageSlotCount(contacts);
    for (int s = 0; s < count; ++s) {
        // The key box reads each word high byte first; bits above 15 of the text are dropped.
        const std::uint32_t word = ParseHexText(slots[static_cast<size_t>(s)]);
        const auto offset = static_cast<size_t>(SlotOffset(s));
        image[offset] = ByteOf(word, 8);
        image[offset + 1] = ByteOf(word, 0);
    }
}

int BuildConfigImage(ConfigImage& image, const Configuration& config) {
    PutSerial(image, config.serial);
    PutFlags(image, config.protectedFlag, config.bounceTime);
    PutRepeatMask(image, config.repeatText, config.contacts);
    PutSlots(image, config.slots, config.contacts);
    return ActiveLength(config.contacts);
}

std::optional<Configuration> DecodeConfigImage(std::span<const std::uint8_t> image,
                                               std::int32_t contacts) {
    if (contacts < 1 || contacts > 24 || static_cast<int>(image.size()) != ActiveLength(contacts))
        return std::nullopt;
    // The serial number as this program writes it: 7 upper-case hex digits and their check byte.
    const auto digits = image.subspan(kSerialOffset, 7);
    const char* const first = reinterpret_cast<const char*>(digits.data());
    const char* const last = first + digits.size();
    std::uint32_t serial = 0;
    const auto [end, error] = std::from_chars(first, last, serial, 16);
    if (error != std::errc() || end != last)
        return std::nullopt;
    const auto serialBytes = SerialBytes(static_cast<std::int32_t>(serial));
    if (!std::equal(serialBytes.begin(), serialBytes.end(), image.begin() + kSerialOffset))
        return std::nullopt;
    Configuration config;
    config.serial = static_cast<std::int32_t>(serial);
    config.contacts = contacts;
    config.bounceTime = image[kBounceOffset];
    config.protectedFlag = (image[kFlagsOffset] & kProtectedBit) != 0;
    std::uint32_t mask = image[kMaskLowOffset];
    if (contacts >= 9)
        mask |= static_cast<std::uint32_t>(image[kMaskMidOffset]) << 8 |
                static_cast<std::uint32_t>(image[kMaskHighOffset]) << 16;
    config.repeatText = mask == 0 ? L"" : FormatHexText(mask);
    for (int s = 0; s < kSlotCount; ++s) {
        const auto offset = static_cast<size_t>(SlotOffset(s));
        config.slots[static_cast<size_t>(s)] =
            s < ImageSlotCount(contacts)
                ? FormatHexText(static_cast<std::uint32_t>(image[offset] << 8 | image[offset + 1]))
                : L"0";
    }
    return config;
}
