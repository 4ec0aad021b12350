#include "settings/SerialCounter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::wstring kPath = L"\\\\server\\benches\\serial.txt";

std::wstring Cannot(const std::wstring& reason) {
    return L"Cannot take a serial number from \"" + kPath + L"\": " + reason +
           L"\nNothing was sent to the key box.";
}

// The counter on the file server, as every bench reaches it: it may be gone, held by another
// bench past the wait, or refuse the write.
class FakeCounterFile : public ICounterFile {
public:
    std::optional<std::string> bytes = "1041\r\n";  // none: the share is gone
    bool busy = false, refuseWrite = false;

    CounterAccess Access(const std::wstring& path, bool forWriting,
                         const Rewrite& rewrite) override {
        EXPECT_EQ(path, kPath);
        if (busy || !bytes)
            return {busy, busy ? L"" : L"The network path was not found."};
        const std::optional<std::string> text = rewrite(*bytes);
        EXPECT_TRUE(forWriting || !text) << "a read wrote";
        if (text && refuseWrite)
            return {false, L"Access is denied."};
        bytes = text.value_or(*bytes);
        return {};
    }
};

// Digits of 0..268435455 and CR LF or LF; anything else is refused, showing what the file holds.
TEST(SerialCounter, TheCounterHoldsDigitsAndALineEnd) {
    const struct {
        std::string bytes;
        std::int32_t number;  // -1: refused, `shown` in the message
        std::wstring shown;
    } rows[] = {
        {"0\r\n", 0, L""},
        {"42\n", 42, L""},
        {"0001041\r\n", 1041, L""},
        {"268435455\r\n", 268435455, L""},
        {"42", -1, L"42"},  // what a write cut short may leave
        {"42\r", -1, L"42\\r"},
        {"\r\n", -1, L"\\r\\n"},
        {"-1\r\n", -1, L"-1\\r\\n"},
        {"+1\n", -1, L"+1\\n"},
        {" 42\r\n", -1, L" 42\\r\\n"},
        {"42\r\n\r\n", -1, L"42\\r\\n\\r\\n"},
        {"12ab\r\n", -1, L"12ab\\r\\n"},
        {"268435456\r\n", -1, L"268435456\\r\\n"},
        {"99999999999999999999\r\n", -1, L"99999999999999999999\\r\\n"},
        {"4\x01\\\t\xff\n", -1, L"4\\x01\\x5c\\t\\xff\\n"},
        {std::string(40, '7') + "\n", -1, std::wstring(32, L'7') + L"..."},
    };
    for (const auto& row : rows) {
        const CounterText text = ReadCounterText(row.bytes);
        EXPECT_EQ(text.number.value_or(-1), row.number) << row.bytes;
        EXPECT_EQ(text.refusal, row.number >= 0 ? L""
                                                : L"It holds \"" + row.shown +
                                                      L"\", not a serial number from 0 to "
                                                      L"268435455 and a line end.");
    }
    EXPECT_EQ(ReadCounterText("").refusal, L"It is empty.");
}

// Two benches on one counter. A number taken is held through no answer, a wrong answer or a
// failed library write, even while the counter is out of reach, until a key box has it; a
// number held when the bench changes counters (or ends) is dropped: a gap, never a repeat.
TEST(SerialCounter, ANumberIsHeldUntilAKeyBoxHasIt) {
    FakeCounterFile file;
    CSerialCounter a(file), b(file);
    EXPECT_FALSE(a.InUse());
    a.Use(kPath), b.Use(kPath);
    EXPECT_EQ(a.Peek(), 1041);
    EXPECT_EQ(a.Take().serial, 1041);
    EXPECT_EQ(b.Take().serial, 1042);
    file.busy = true;
    EXPECT_EQ(a.Take().serial, 1041);
    file.busy = false;
    b.Confirm();
    EXPECT_EQ(b.Peek(), 1043);
    EXPECT_EQ(file.bytes, "1043\r\n");
    a.Confirm();
    EXPECT_EQ(a.Take().serial, 1043);
    a.Use(kPath);
    EXPECT_EQ(a.Take().serial, 1044);
    EXPECT_EQ(file.bytes, "1045\r\n");
}

// A counter that cannot give a number leaves the file as it was and holds nothing: the message
// says why. The last number a key box takes is never given: the counter must hold one.
TEST(SerialCounter, NoNumberIsTakenFromACounterThatCannotGiveOne) {
    const std::wstring kUsedUp =
        L"Its numbers are used up: 268435455 is the last serial number a key box takes.";
    const std::wstring kBadSetting = L"The setting \"SerialFile\" is not text.";
    const struct {
        std::optional<std::string> bytes;
        bool busy, refuseWrite, badSetting;
        std::wstring reason;
    } rows[] = {
        {std::nullopt, false, false, false, L"The network path was not found."},
        {"1041\r\n", true, false, false,
         L"Another bench has held it locked for more than 2 seconds."},
        {"1041\r\n", false, true, false, L"Access is denied."},
        {"12ab\r\n", false, false, false,
         L"It holds \"12ab\\r\\n\", not a serial number from 0 to 268435455 and a line end."},
        {"268435455\r\n", false, false, false, kUsedUp},
        {"1041\r\n", false, false, true, kBadSetting},
    };
    for (const auto& row : rows) {
        FakeCounterFile file;
        file.bytes = row.bytes, file.busy = row.busy, file.refuseWrite = row.refuseWrite;
        CSerialCounter counter(file);
        counter.Use(kPath, row.badSetting ? kBadSetting : L"");
        const CSerialCounter::Taken taken = counter.Take();
        EXPECT_EQ(taken.serial, std::nullopt);
        EXPECT_EQ(taken.message, Cannot(row.reason));
        EXPECT_EQ(file.bytes, row.bytes);
        file.busy = file.refuseWrite = false;
        counter.Use(kPath);
        EXPECT_EQ(counter.Take().serial,
                  row.bytes == "1041\r\n" ? std::optional(1041) : std::nullopt);
    }
    FakeCounterFile file;
    file.bytes = "268435454\n";
    CSerialCounter counter(file);
    counter.Use(kPath);
    EXPECT_EQ(counter.Take().serial, 268435454);
    counter.Confirm();
    EXPECT_EQ(counter.Take().message, Cannot(kUsedUp));
    EXPECT_EQ(file.bytes, "268435455\r\n");
}

}  // namespace
