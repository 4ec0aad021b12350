#include "settings/ConfigFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

constexpr wchar_t kFile[] = L"C:\\bench\\box.ini";

ConfigRead Read(std::string_view bytes) {
    return ReadConfigFile(bytes, kFile);
}

// The bytes of a literal, NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

std::wstring Refused(std::wstring_view reason) {
    return CannotOpenMessage(kFile, reason);
}

TEST(ConfigFile, EveryKeyReadsBackAsWritten) {
    ConfigValues values;
    values.contacts = 17;
    values.bounceTime = 4294967295u;
    values.speed = 500;
    values.protectedFlag = true;
    values.repeatText = L"800000";
    for (size_t s = 0; s < values.slots.size(); ++s)
        values.slots[s] = std::to_wstring(s * 7) + L"e";
    values.slots[1] = L" ";       // blanks at either end, or a quote first: inside quotes
    values.slots[2] = L"21E zz";  // texts as the fields hold them, not numbers
    values.slots[3] = L"\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";  // UTF-8's edges

    const ConfigText file = FormatConfigFile(values, kFile);
    ASSERT_EQ(file.error, L"");
    EXPECT_TRUE(file.bytes.starts_with(
        "[Orvanta]\r\nContacts=17\r\nBounceTime=4294967295\r\n"
        "Speed=500\r\nProtected=1\r\nKeyRepeat=800000\r\n"
        "Slot1=0e\r\nSlot2=\" \"\r\nSlot3=21E zz\r\n"
        "Slot4=\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\r\n"))
        << file.bytes;
    EXPECT_TRUE(file.bytes.ends_with("Slot48=329e\r\n"));
    const ConfigRead read = Read(file.bytes);
    EXPECT_EQ(read.error, L"");
    EXPECT_EQ(read.values, values);

    values.protectedFlag = false;
    EXPECT_EQ(Read(FormatConfigFile(values, kFile).bytes).values.protectedFlag, false);
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
        "[Later]\nBounceTime=x\n");
    ASSERT_EQ(read.error, L"");
    ConfigValues expected;
    expected.contacts = 12;
    expected.slots[2] = L"f04";
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
        const ConfigRead read = Read(text);
        EXPECT_EQ(read.error, L"");
        EXPECT_EQ(read.values.contacts, 6);
        EXPECT_EQ(read.values.slots[0], L"1e");
        const int lines = end == "\r\r\n" ? 2 : 1;
        EXPECT_EQ(Read(text + "Slot1=2" + end).error,
                  Refused(L"Slot1 is given twice, in lines " + std::to_wstring(1 + 2 * lines) +
                          L" and " + std::to_wstring(1 + 3 * lines) + L"."));
    }
}

// One message names the file, the key and the value, and nothing of the file is taken, not
// even the keys before the refused one.
TEST(ConfigFile, ARefusedValueRefusesTheWholeFile) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"Contacts=0", L"Contacts=0 is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=25", L"Contacts=25 is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=four", L"Contacts=four is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=", L"Contacts= is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=+5", L"Contacts=+5 is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=05", L"Contacts=05 is refused: Contacts takes a number from 1 to 24."},
        {"Speed=0", L"Speed=0 is refused: Speed takes a number from 1 to 500."},
        {"Speed=501", L"Speed=501 is refused: Speed takes a number from 1 to 500."},
        {"BounceTime=-1",
         L"BounceTime=-1 is refused: BounceTime takes a whole number from 0 to 4294967295."},
        {"BounceTime=4294967296",
         L"BounceTime=4294967296 is refused: BounceTime takes a whole number from 0 to "
         L"4294967295."},
        {"Protected=2", L"Protected=2 is refused: Protected takes 0 or 1."},
        {"Protected=yes", L"Protected=yes is refused: Protected takes 0 or 1."},
        {"Speed=12345678901234567890123456789012345678901234567890",
         L"Speed=1234567890123456789012345678901234567890... is refused: Speed takes a number "
         L"from 1 to 500."},
        {"Slot2=1\nslot2=2", L"Slot2 is given twice, in lines 3 and 4."},
    };
    for (const auto& [line, reason] : cases) {
        const ConfigRead read = Read(std::string("[Orvanta]\nSlot1=1e\n") + line + "\n");
        EXPECT_EQ(read.error, Refused(reason)) << line;
        EXPECT_EQ(read.values, ConfigValues{}) << line;
    }
    for (const char* line :
         {"Contacts=1", "Contacts=24", "Speed=1", "Speed=500", "BounceTime=0", "Protected=0"}) {
        EXPECT_EQ(Read(std::string("[Orvanta]\n") + line).error, L"") << line;
    }
    EXPECT_EQ(Refused(L"Speed=0 is refused."),
              L"Cannot open the configuration file \"C:\\bench\\box.ini\":\nSpeed=0 is "
              L"refused.\nNothing was changed.");
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

// What editors save: UTF-8 with or without its mark, UTF-16 in either byte order; the text
// holds the first and last character of each UTF-8 length and the first after the surrogates.
TEST(ConfigFile, TextInUtf8AndUtf16) {
    const std::string utf8 =
        "[Orvanta]\r\nSlot1=\xC2\x80\xDF\xBF\xE0\xA0\x80\xEE\x80\x80\xEF\xBF\xBF"
        "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\r\n";
    const std::u16string utf16 =
        u"[Orvanta]\nSlot1=\u0080\u07FF\u0800\uE000\uFFFF\U00010000\U0010FFFF";
    for (const std::string& bytes :
         {utf8, "\xEF\xBB\xBF" + utf8, Utf16(utf16, false), Utf16(utf16, true)}) {
        const ConfigRead read = Read(bytes);
        EXPECT_EQ(read.error, L"");
        EXPECT_EQ(read.values.slots[0], L"\u0080\u07FF\u0800\uE000\uFFFF\U00010000\U0010FFFF");
    }
}

// What no text editor writes gives a message, never a crash or a half-read file.
TEST(ConfigFile, LongLinesBinaryAndBrokenTextAreRefused) {
    const std::wstring notText = Refused(L"It is not a text file in UTF-8 or UTF-16.");
    const std::string broken[] = {
        Bytes("\x7F"
              "ELF\x02\x01\x01\0\0\0"),
        Bytes("[Orvanta]\nSlot1=\0\n"),
        "[Orvanta]\nSlot1=\xC0\xAF\n",  // overlong forms
        "\xC1\xBF",
        "\xE0\x9F\xBF",
        "\xF0\x8F\xBF\xBF",
        "[Orvanta]\nSlot1=\xED\xA0\x80\n",  // surrogates in UTF-8
        "\xED\xBF\xBF",
        "[Orvanta]\nSlot1=\x80\n",            // a continuation byte alone
        "[Orvanta]\nSlot1=\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",
        "[Orvanta]\nSlot1=\xE2\x82",  // cut off at the end
        Bytes("\xFF\xFE[\0["),        // an odd number of UTF-16 bytes
        Utf16(u"\xDC00", false),      // halves of a surrogate pair
        Utf16(u"\xD800"
              u"A",
              true),
        Utf16(u"Slot1=\xDBFF", false),
        Bytes("[\0O\0r\0"),  // UTF-16 without its mark
    };
    for (const std::string& bytes : broken)
        EXPECT_EQ(Read(bytes).error, notText) << bytes.size() << " bytes";

    const std::string longLine = "[Orvanta]\nSlot1=" + std::string(kMaxConfigLineLength, '1');
    EXPECT_EQ(Read(longLine).error, Refused(L"Line 2 is longer than 4096 characters."));
    EXPECT_EQ(Read(longLine.substr(0, longLine.size() - 6)).values.slots[0]->size(),
              kMaxConfigLineLength - 6);

    std::string huge = "[Orvanta]\nSpeed=5\n";
    while (huge.size() + 1000 < kMaxConfigFileBytes)
        huge += ";" + std::string(998, '-') + "\n";
    huge += std::string(kMaxConfigFileBytes - huge.size(), ';');
    EXPECT_EQ(Read(huge).error, L"");
    EXPECT_EQ(Read(huge + ";").error, Refused(L"It is larger than 1 MB."));
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
    const size_t begin = text.find("```ini\n");
    ASSERT_NE(begin, std::string::npos);
    const size_t end = text.find("```", begin + 7);
    const ConfigRead read = Read(text.substr(begin + 7, end - begin - 7));
    EXPECT_EQ(read.error, L"");
    EXPECT_EQ(read.values.contacts, 6);
    EXPECT_EQ(read.values.slots[11], L"e1");
}

}  // namespace
