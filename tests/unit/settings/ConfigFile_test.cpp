#include "settings/ConfigFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;  // "..."s keeps the NULs of a literal

constexpr wchar_t kFile[] = L"C:\\bench\\box.ini";

ConfigRead Read(std::string_view bytes) {
    return ReadConfigFile(bytes, kFile);
}

std::wstring Refused(std::wstring_view reason) {
    return CannotOpenMessage(kFile, reason);
}

// A file written by hand: other sections, comments, any letter case, LF line ends. Keys it
// does not name stay empty, so their fields keep what they show. Lines of its section that
// name no key the program knows (typos) are named in one notice, with their line numbers.
TEST(ConfigFile, ReadsItsOwnSectionAndNamesUnknownKeys) {
    const ConfigRead read = Read(
        "Speed=0\n"
        "; key map of the north entrance\n"
        "[Other]\nSpeed=0\n"
        "[ orvanta ]\n"
        "  contacts = 12  \n"
        "BounceTme=5\n"
        "KEYREPEAT=5\n"
        "SLOT3=f04\n"
        "Slot49=1\nSlot 1=2\n"
        "a line without an equals sign\n"
        "# Speed=999\n"
        "Slot4=\"\"\n"
        "[Later]\nBounceTime=x\n");
    ASSERT_EQ(read.error, L"");
    ConfigValues expected;
    expected.contacts = 12;
    expected.slots[2] = L"f04";
    expected.slots[3] = L"";  // a pair of quotes holds an empty value
    expected.repeatText = L"5";
    EXPECT_EQ(read.values, expected);
    EXPECT_EQ(read.notice,
              L"The configuration file \"C:\\bench\\box.ini\" is open. These lines name no key "
              L"the program knows and were skipped:\nline 7: BounceTme=5\nline 10: Slot49=1\n"
              L"line 11: Slot 1=2\nline 12: a line without an equals sign");

    const std::pair<const char*, const wchar_t*> refused[] = {
        {"[Keys]\nSpeed=5\n", L"It has no [Orvanta] section."},
        {"[Orvanta\nSpeed=5\n", L"It has no [Orvanta] section."},
        {"[Orvanta] x\nSpeed=5\n", L"It has no [Orvanta] section."},
        {"[Orvanta]\r\n", L"Its [Orvanta] section names no key the program knows."},
        {"[Orvanta]\nSpeeed=5",
         L"Its [Orvanta] section names no key the program knows:\nline 2: Speeed=5"},
        {"[Orvanta]\nx\nx\nx\nx\nx\nx\nx\nx\nx\nx\nx\nx\n",
         L"Its [Orvanta] section names no key the program knows:\nline 2: x\nline 3: x\nline 4: "
         L"x\nline 5: x\nline 6: x\nline 7: x\nline 8: x\nline 9: x\nline 10: x\nline 11: "
         L"x\nand 2 more"},
    };
    for (const auto& [text, reason] : refused)
        EXPECT_EQ(Read(text).error, Refused(reason)) << text;
}

// CR LF, LF and CR alone each end a line, as editors new and old write them, and the line
// numbers count them so (CR CR LF is two line ends).
TEST(ConfigFile, EveryUsualLineEndReadsAsALineEnd) {
    for (const std::string end : {"\r\n", "\n", "\r", "\r\r\n"}) {
        const std::string text = "[Orvanta]" + end + "Contacts=6" + end + "Slot1=1e" + end;
        EXPECT_EQ(Read(text).values.slots[0], L"1e");
        const int lines = end == "\r\r\n" ? 2 : 1;
        EXPECT_EQ(Read(text + "Slot1=2" + end).error,
                  Refused(L"Slot1 is given twice, in lines " + std::to_wstring(1 + 2 * lines) +
                          L" and " + std::to_wstring(1 + 3 * lines) + L"."));
    }
}

// One message names the file, the key, the value and what the key takes, and nothing of the
// file is taken, not even the keys before the refused one.
TEST(ConfigFile, ARefusedValueRefusesTheWholeFile) {
    const std::pair<std::vector<std::string>, std::wstring> rules[] = {
        {{"Contacts=0", "Contacts=25", "Contacts=four", "Contacts=", "Contacts=+5", "Contacts=05"},
         L"Contacts takes a number from 1 to 24."},
        {{"Speed=0", "Speed=501"}, L"Speed takes a number from 1 to 500."},
        {{"BounceTime=-1", "BounceTime=4294967296"},
         L"BounceTime takes a whole number from 0 to 4294967295."},
        {{"Protected=2", "Protected=yes"}, L"Protected takes 0 or 1."},
        {{"Contacts=1", "Contacts=24", "Speed=1", "Speed=500", "BounceTime=0", "Protected=0"},
         L""},  // taken
    };
    for (const auto& [lines, takes] : rules) {
        for (const std::string& line : lines) {
            const ConfigRead read = Read("[Orvanta]\nSlot1=1e\n" + line + "\n");
            const std::wstring refused = std::wstring(line.begin(), line.end()) + L" is refused: ";
            EXPECT_EQ(read.error, takes.empty() ? L"" : Refused(refused + takes)) << line;
            EXPECT_EQ(read.values.slots[0].has_value(), takes.empty()) << line;
        }
    }
    // The whole message once, with a value cut short.
    EXPECT_EQ(Read("[Orvanta]\nSpeed=12345678901234567890123456789012345678901234567890").error,
              L"Cannot open the configuration file \"C:\\bench\\box.ini\":\nSpeed="
              L"1234567890123456789012345678901234567890... is refused: Speed takes a number from "
              L"1 to 500.\nNothing was changed.");
}

// The text after UTF-16's byte-order mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// A file is written with every key that has a value, in order, with CR LF line ends, a value
// with blanks at its ends in quotes, in UTF-8 (here with the first and last character of each
// length and the first after the surrogates). It reads as editors save it: UTF-8 with or
// without its mark, UTF-16 in either byte order.
TEST(ConfigFile, WrittenInUtf8AndReadInUtf8OrUtf16) {
    ConfigValues values;
    values.contacts = 17;
    values.bounceTime = 4294967295u;
    values.speed = 500;
    values.protectedFlag = true;
    values.repeatText = L"800000";
    values.slots[0] = L" ";
    values.slots[1] = L"\u0080\u07FF\u0800\uE000\uFFFF\U00010000\U0010FFFF";
    values.slots[47] = L"21E zz";
    const std::string utf8 =
        "[Orvanta]\r\nContacts=17\r\nBounceTime=4294967295\r\nSpeed=500\r\nProtected=1\r\n"
        "KeyRepeat=800000\r\nSlot1=\" \"\r\nSlot2=\xC2\x80\xDF\xBF\xE0\xA0\x80\xEE\x80\x80"
        "\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\r\nSlot48=21E zz\r\n";
    EXPECT_EQ(FormatConfigFile(values, kFile).bytes, utf8);
    const std::u16string utf16 =
        u"[Orvanta]\nSlot2=\u0080\u07FF\u0800\uE000\uFFFF\U00010000\U0010FFFF";
    for (const std::string& bytes :
         {utf8, "\xEF\xBB\xBF" + utf8, Utf16(utf16, false), Utf16(utf16, true)}) {
        const ConfigRead read = Read(bytes);
        EXPECT_EQ(read.error, L"");
        EXPECT_EQ(read.values.slots[1], values.slots[1]);
    }
}

// What no text editor writes gives a message, never a crash or a half-read file.
TEST(ConfigFile, LongLinesBinaryAndBrokenTextAreRefused) {
    const std::wstring notText = Refused(L"It is not a text file in UTF-8 or UTF-16.");
    const std::string broken[] = {
        "\177ELF\2\1\1\0\0\0"s,
        "[Orvanta]\nSlot1=\0\n"s,
        "[Orvanta]\nSlot1=\xC1\xBF\n",  // overlong forms
        "\xE0\x9F\xBF",
        "\xF0\x8F\xBF\xBF",
        "[Orvanta]\nSlot1=\xED\xA0\x80\n",  // surrogates in UTF-8
        "\xED\xBF\xBF",
        "[Orvanta]\nSlot1=\x80\n",            // a continuation byte alone
        "[Orvanta]\nSlot1=\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",
        "[Orvanta]\nSlot1=\xE2\x82",  // cut off at the end
        "\xFF\xFE[\0["s,              // an odd number of UTF-16 bytes
        Utf16(u"\xDC00", false),      // halves of a surrogate pair
        Utf16(u"\xD800\x41", true),
        Utf16(u"\xDBFF\xE000", false),
        Utf16(u"Slot1=\xDBFF", false),
        "[\0O\0r\0"s,  // UTF-16 without its mark
    };
    for (const std::string& bytes : broken)
        EXPECT_EQ(Read(bytes).error, notText) << bytes.size() << " bytes";

    const std::string longLine = "[Orvanta]\nSlot1=" + std::string(kMaxConfigLineLength, '1');
    EXPECT_EQ(Read(longLine).error, Refused(L"Line 2 is longer than 4096 characters."));
    EXPECT_EQ(Read(longLine.substr(0, longLine.size() - 6)).values.slots[0]->size(),
              kMaxConfigLineLength - 6);

    std::string huge = "[Orvanta]\nSpeed=5";
    huge.resize(kMaxConfigFileBytes, '\n');  // a million empty lines
    EXPECT_EQ(Read(huge).error, L"");
    EXPECT_EQ(Read(huge + "\n").error, Refused(L"It is larger than 1 MB."));
}

// A saved file always opens again to the same fields: whatever the fields hold (blanks around
// a text, quotes, a key-repeat text of blanks only), opening the saved file gives them back
// exactly, or the save is refused naming the field that holds what no file keeps (a pasted
// control character once made a file that its own program refused to open).
TEST(ConfigFile, ASavedFileAlwaysOpensAgainToTheSameFields) {
    const std::wstring pieces[] = {L" ", L"\t",     L"\"",     L"=",      L";",         L"#",
                                   L"[", L"]",      L"1e",     L"21E",    L"\u00e4",    L"x y",
                                   L"'", L"\uFEFF", L"\uFFFD", L"\u20AC", L"\U0001F600"};
    const std::pair<std::wstring, std::wstring> unkeepable[] = {
        {L"\r", L"a line break."},
        {L"\n", L"a line break."},
        {L"\x01", L"a control character."},
        {L"\x1F", L"a control character."},
        {std::wstring(1, static_cast<wchar_t>(0xDC00)), L"half of a surrogate pair."},
        {std::wstring(1, static_cast<wchar_t>(0xD800)), L"half of a surrogate pair."},
        {std::wstring(kMaxConfigLineLength - 5, L'f'),  // too long with any key
         L"is too long to keep: a line holds at most 4096 characters."}};
    std::mt19937 random(20240611);
    const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    const auto text = [&] {
        std::wstring t;
        for (size_t n = pick(6); n > 0; --n)
            t += pieces[pick(std::size(pieces))];
        return t;
    };
    for (int round = 0; round < 3000; ++round) {
        ConfigValues values;
        values.contacts = static_cast<std::int32_t>(1 + pick(24));
        values.bounceTime = static_cast<std::uint32_t>(random());
        values.speed = static_cast<std::uint32_t>(1 + pick(500));
        values.protectedFlag = pick(2) == 1;
        values.repeatText = text();
        for (auto& slot : values.slots) {
            if (pick(4) != 0)
                slot = text();
        }
        // One round in four, one field (the key-repeat field or a slot) holds what no file keeps.
        const size_t broken = pick(4) == 0 ? pick(kSlotCount + 1) : kSlotCount + 1;
        std::wstring reason;
        if (broken <= kSlotCount) {
            auto& field = broken == kSlotCount ? values.repeatText : values.slots[broken];
            const auto& [bad, why] = unkeepable[pick(std::size(unkeepable))];
            field = field.value_or(L"") + bad + text();
            reason = (broken == kSlotCount ? L"KeyRepeat" : L"Slot" + std::to_wstring(broken + 1)) +
                     (why.starts_with(L"is") ? L" " : L" holds ") + why;
        }
        const ConfigText file = FormatConfigFile(values, kFile);
        if (!reason.empty()) {
            EXPECT_EQ(file.error, CannotSaveMessage(kFile, reason)) << "round " << round;
            continue;
        }
        ASSERT_EQ(file.error, L"") << "round " << round;
        const ConfigRead read = Read(file.bytes);
        ASSERT_EQ(read.error + read.notice, L"") << "round " << round;
        ASSERT_EQ(read.values, values) << "round " << round << "\n" << file.bytes;
    }
    ConfigValues longest;
    longest.repeatText = std::wstring(kMaxConfigLineLength - 10, L'f');  // "KeyRepeat=" and 4086
    EXPECT_EQ(Read(FormatConfigFile(longest, kFile).bytes).values, longest);
}

// The example a user copies from the README opens as it says.
TEST(ConfigFile, TheReadmeExampleOpens) {
    std::ifstream readme(ORVANTA_SOURCE_DIR "/README.md", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(readme)), {});
    const size_t begin = text.find("```ini\n") + 7;
    const ConfigRead read = Read(text.substr(begin, text.find("```", begin) - begin));
    EXPECT_EQ(read.error, L"");
    EXPECT_EQ(read.values.slots[11], L"e1");
}

}  // namespace
