#include "settings/ConfigFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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
    values.slots[1] = L"";
    values.slots[2] = L"21E zz";                  // texts as the fields hold them, not numbers
    values.slots[3] = L"\u00e9\u20ac\U0001F600";  // two- to four-byte UTF-8

    const ConfigText file = FormatConfigFile(values, kFile);
    ASSERT_EQ(file.error, L"");
    EXPECT_TRUE(
        file.bytes.starts_with("[Orvanta]\r\nContacts=17\r\nBounceTime=4294967295\r\n"
                               "Speed=500\r\nProtected=1\r\nKeyRepeat=800000\r\n"
                               "Slot1=0e\r\nSlot2=\r\nSlot3=21E zz\r\n"
                               "Slot4=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\r\n"))
        << file.bytes;
    EXPECT_TRUE(file.bytes.ends_with("Slot48=329e\r\n"));
    const ConfigRead read = Read(file.bytes);
    EXPECT_EQ(read.error, L"");
    EXPECT_EQ(read.values, values);

    values.protectedFlag = false;
    EXPECT_EQ(Read(FormatConfigFile(values, kFile).bytes).values.protectedFlag, false);
}

// A file written by hand: other sections, unknown keys, comments, any letter case, LF line
// ends. Keys it does not name stay empty, so their fields keep what they show.
TEST(ConfigFile, ReadsOnlyItsOwnSectionAndKeys) {
    const ConfigRead read = Read(
        "; key map of the north entrance\n"
        "[Other]\nSpeed=0\n"
        "[ orvanta ]\n"
        "  contacts = 12  \n"
        "Colour=blue\n"
        "SLOT3=f04\n"
        "Slot49=1\nSlot03=2\n"
        "a line without an equals sign\n"
        "# Speed=999\n"
        "[Later]\nBounceTime=x\n");
    ASSERT_EQ(read.error, L"");
    ConfigValues expected;
    expected.contacts = 12;
    expected.slots[2] = L"f04";
    EXPECT_EQ(read.values, expected);

    EXPECT_EQ(Read("[Orvanta]\r\n").values, ConfigValues{});
    EXPECT_EQ(Read("[Keys]\nSpeed=5\n").error, Refused(L"It has no [Orvanta] section."));
}

// One message names the file, the key and the value, and nothing of the file is taken, not
// even the keys before the refused one.
TEST(ConfigFile, ARefusedValueRefusesTheWholeFile) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"Contacts=0", L"Contacts=0 is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=25", L"Contacts=25 is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=four", L"Contacts=four is refused: Contacts takes a number from 1 to 24."},
        {"Contacts=", L"Contacts= is refused: Contacts takes a number from 1 to 24."},
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
    EXPECT_EQ(Refused(L"Speed=0 is refused."),
              L"Cannot open the configuration file \"C:\\bench\\box.ini\":\nSpeed=0 is "
              L"refused.\nNothing was changed.");
}

TEST(ConfigFile, ByteOrderMarksOfUtf8AndUtf16) {
    const std::string utf8 = "[Orvanta]\r\nSlot1=\xC3\xA9\r\n";
    const std::string le =
        Bytes("\xFF\xFE[\0O\0r\0v\0a\0n\0t\0a\0]\0\n\0S\0l\0o\0t\0001\0=\0\xE9\0");
    const std::string be =
        Bytes("\xFE\xFF\0[\0O\0r\0v\0a\0n\0t\0a\0]\0\n\0S\0l\0o\0t\0001\0=\0\xE9");
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, le, be}) {
        const ConfigRead read = Read(bytes);
        EXPECT_EQ(read.error, L"");
        EXPECT_EQ(read.values.slots[0], L"\u00e9");
    }
    // A surrogate pair in UTF-16 is one character.
    const std::string pair =
        Bytes("\xFF\xFE[\0O\0r\0v\0a\0n\0t\0a\0]\0\n\0S\0l\0o\0t\0001\0=\0\x3D\xD8\0\xDE");
    EXPECT_EQ(Read(pair).values.slots[0], L"\U0001F600");
}

// What no text editor writes gives a message, never a crash or a half-read file.
TEST(ConfigFile, LongLinesBinaryAndBrokenTextAreRefused) {
    const std::wstring notText = Refused(L"It is not a text file in UTF-8 or UTF-16.");
    const std::string broken[] = {
        Bytes("\x7F"
              "ELF\x02\x01\x01\0\0\0"),
        Bytes("[Orvanta]\nSlot1=\0\n"),
        "[Orvanta]\nSlot1=\xC0\xAF\n",        // an overlong form
        "[Orvanta]\nSlot1=\xED\xA0\x80\n",    // a surrogate in UTF-8
        "[Orvanta]\nSlot1=\x80\n",            // a continuation byte alone
        "[Orvanta]\nSlot1=\xF4\x90\x80\x80",  // above U+10FFFF
        "[Orvanta]\nSlot1=\xE2\x82",          // cut off at the end
        Bytes("\xFF\xFE[\0["),                // an odd number of UTF-16 bytes
        Bytes("\xFF\xFE\0\xDC"),              // half a surrogate pair
        Bytes("[\0O\0r\0"),                   // UTF-16 without its mark
    };
    for (const std::string& bytes : broken)
        EXPECT_EQ(Read(bytes).error, notText) << bytes.size() << " bytes";

    const std::string longLine = "[Orvanta]\nSlot1=" + std::string(kMaxConfigLineLength, '1');
    EXPECT_EQ(Read(longLine).error, Refused(L"Line 2 is longer than 4096 characters."));
    EXPECT_EQ(Read(longLine.substr(0, longLine.size() - 6)).values.slots[0]->size(),
              kMaxConfigLineLength - 6);

    std::string huge = "[Orvanta]\n";
    while (huge.size() <= kMaxConfigFileBytes)
        huge += "; padding of a file far larger than any configuration\n";
    EXPECT_EQ(Read(huge).error, Refused(L"It is larger than 1 MB."));
}

// Saving never writes what would not open back the same.
TEST(ConfigFile, AValueThatWouldNotReadBackIsNotSaved) {
    ConfigValues values;
    values.slots[4] = L"1e\r\nSpeed=0";
    EXPECT_EQ(FormatConfigFile(values, kFile).error,
              CannotSaveMessage(kFile, L"Slot5 holds a line break."));
    values.slots[4] = L"  1e\t";  // blanks around a value do not survive reading
    EXPECT_EQ(FormatConfigFile(values, kFile).bytes, "[Orvanta]\r\nSlot5=1e\r\n");
    values.repeatText = std::wstring(kMaxConfigLineLength, L'f');
    EXPECT_EQ(FormatConfigFile(values, kFile).error,
              CannotSaveMessage(kFile,
                                L"KeyRepeat is too long to keep: a line holds at most "
                                L"4096 characters."));
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
