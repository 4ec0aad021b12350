#include "BenchImage.h"

#include "text/HexText.h"

Configuration MakeBenchSettings(int contacts) {
    Configuration settings;
    settings.slots.fill(L"0");
    settings.serial = 0x4711 + contacts;
    settings.protectedFlag = true;
    settings.bounceTime = 5;
    settings.contacts = contacts;
    settings.repeatText = contacts > 8 ? L"a5c3" : L"a5";
    const int count = ImageSlotCount(contacts);
    for (int s = 0; s < count; ++s) {
        // Pressed slots get plain key codes, released slots a high byte as well; the mix of
        // bit pairs makes the data locks move singly, together and not at all.
        const auto key = static_cast<std::uint32_t>(0x04 + 3 * s);
        const std::uint32_t word = s % 2 == 0 ? key : (static_cast<std::uint32_t>(s) << 8) | key;
        settings.slots[static_cast<std::size_t>(s)] = FormatHexText(word);
    }
    return settings;
}
