#include "settings/SerialCounter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::wstring kPath = L"\\\\server\\benches\\serial.txt";

// The counter on the file server, as every bench reaches it: another bench may hold it past
// the wait, or the write may be refused.
class FakeCounterFile : public ICounterFile {
public:
    std::string bytes = "268435452\r\n";
    bool busy = false, refuseWrite = false;

    CounterAccess Access(const std::wstring& path, bool forWriting,
                         const Rewrite& rewrite) override {
        EXPECT_EQ(path, kPath);
        const std::optional<std::string> text = busy ? std::nullopt : rewrite(bytes);
        EXPECT_TRUE(forWriting || !text) << "a read wrote";
        bytes = text && !refuseWrite ? *text : bytes;
        return {busy, text && refuseWrite ? L"Access is denied." : L""};
    }
};

// Digits of 0..268435455 and CR LF or LF; anything else is refused, showing what the file
// holds, cut after 32 bytes. Digits alone may be what a write cut short left.
TEST(SerialCounter, TheCounterHoldsDigitsAndALineEnd) {
    const std::pair<std::string, std::int32_t> accepted[] = {
        {"0\r\n", 0}, {"42\n", 42}, {"0001041\r\n", 1041}, {"268435455\r\n", 268435455}};
    for (const auto& [bytes, number] : accepted)
        EXPECT_EQ(ReadCounterText(bytes).number, number) << bytes;
    const std::pair<std::string, std::wstring> refused[] = {
        {"42", L"42"},
        {"-1\r\n", L"-1\\r\\n"},
        {"42\r\n\r\n", L"42\\r\\n\\r\\n"},
        {"268435456\n", L"268435456\\n"},
        {"99999999999999999999\n", L"99999999999999999999\\n"},
        {"4\x01\\ \xff\r", L"4\\x01\\x5c \\xff\\r"},
        {std::string(40, '7') + "\n", std::wstring(32, L'7') + L"..."}};
    for (const auto& [bytes, shown] : refused) {
        EXPECT_EQ(ReadCounterText(bytes).refusal,
                  L"It holds \"" + shown +
                      L"\", not a serial number from 0 to 268435455 and a line end.");
    }
    EXPECT_EQ(ReadCounterText("").refusal, L"It is empty.");
}

std::wstring Cannot(const std::wstring& reason) {
    return L"Cannot take a serial number from \"" + kPath + L"\": " + reason +
           L"\nNothing was sent to the key box.";
}

// Two benches on one counter near its end. A number taken is held through no answer, a wrong
// answer or a failed library write, even while the counter is out of reach, until a key box
// has it. A counter that cannot give a number stays as it was, and the bench holds nothing.
// The last number a key box takes is never given: the counter must go on holding one.
TEST(SerialCounter, ANumberIsHeldUntilAKeyBoxHasIt) {
    FakeCounterFile file;
    CSerialCounter a(file), b(file);
    a.Use(kPath), b.Use(kPath);
    EXPECT_EQ(a.Peek(), 268435452);
    EXPECT_EQ(a.Take().serial, 268435452);
    EXPECT_EQ(b.Take().serial, 268435453);
    file.busy = true;
    EXPECT_EQ(a.Take().serial, 268435452);
    b.Confirm();
    EXPECT_EQ(b.Take().message,
              Cannot(L"Another bench has held it locked for more than 2 seconds."));
    file.busy = false, file.refuseWrite = true;
    EXPECT_EQ(b.Take().message, Cannot(L"Access is denied."));
    file.refuseWrite = false;
    EXPECT_EQ(b.Take().serial, 268435454);
    b.Confirm(), a.Confirm();
    EXPECT_EQ(b.Peek(), 268435455);
    EXPECT_EQ(a.Take().message, Cannot(L"Its numbers are used up: 268435455 is the last serial "
                                       L"number a key box takes."));
    EXPECT_EQ(file.bytes, "268435455\r\n");
    b.Use(kPath, L"The setting \"SerialFile\" is not text.");
    EXPECT_EQ(b.Take().message, Cannot(L"The setting \"SerialFile\" is not text."));
}

}  // namespace
