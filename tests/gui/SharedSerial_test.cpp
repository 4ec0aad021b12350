// Serial numbers from a counter file that two copies of the real program share, as two benches
// of a workshop do: the key box emulator answers each copy in turn, and a counter that cannot
// give a number stops the write before anything goes out.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "GuiDriver.h"
#include "support/KeyBoxEmulator_win.h"
#include "ui/resource.h"

namespace {

using Answer = CKeyBoxEmulator::Answer;

class SharedSerial : public testing::Test {
protected:
    void SetUp() override {
        gui::DeleteSettings();
        ASSERT_TRUE(gui::ResetLocks());
        ASSERT_TRUE(gui::WriteFileBytes(m_counter, "1041\r\n"));
        gui::SetTextSetting(L"SerialFile", m_counter);
        gui::SetDwordSetting(L"clearTime", 2);  // the programming speed: 2 ms a step
        ASSERT_TRUE(benches[0].Start() && benches[1].Start());
        ASSERT_TRUE(keyBox.Start()) << "no low-level keyboard hook";
    }
    void TearDown() override {
        keyBox.Stop();
        EXPECT_TRUE(gui::ResetLocks());
        gui::DeleteSettings();
        ::DeleteFileW(m_counter.c_str());
    }

    const std::wstring m_counter = gui::BuildDir() + L"\\serial counter.txt";
    gui::Program benches[2];
    CKeyBoxEmulator keyBox;
};

// A bench starts showing the counter's number, in a field that takes no typing, with "+" off. Each
// write takes the next number; a box that got no answer or a wrong one keeps its number when it is
// written again, while the other bench goes on, and the right answer uses it up: the field then
// shows the counter's number. No number reaches two boxes.
TEST_F(SharedSerial, TwoBenchesTakingTurnsNeverWriteOneNumberTwice) {
    EXPECT_EQ(benches[1].Text(IDC_SERIAL), L"1041");
    EXPECT_NE(::GetWindowLongW(benches[1].Item(IDC_SERIAL), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_FALSE(::IsWindowEnabled(benches[1].Item(IDC_SERIAL_PLUS)));
    // Which bench writes, the answer it gets, the image's serial digits and the field after.
    const std::tuple<int, Answer, const char*, const wchar_t*> writes[] = {
        {0, Answer::Right, "0000411", L"1042"}, {1, Answer::Right, "0000412", L"1043"},
        {0, Answer::None, "0000413", L"1043"},  {1, Answer::Right, "0000414", L"1045"},
        {0, Answer::Wrong, "0000413", L"1043"}, {0, Answer::Right, "0000413", L"1045"}};
    for (int i = 0; i < 6; ++i) {
        const auto& [b, answer, serial, shown] = writes[i];
        keyBox.SetAnswer(answer);
        keyBox.SetAnswerWindow(benches[b].Item(IDC_FEEDBACK));
        ASSERT_TRUE(benches[b].BringToFront());
        benches[b].Click(IDC_WRITE);
        ASSERT_TRUE(keyBox.WaitForImages(i + 1, 60000));
        const CKeyBoxEmulator::Image image = keyBox.Images().back();
        EXPECT_EQ(std::string(image.bytes.begin() + 2, image.bytes.begin() + 9), serial);
        // The answer has reached this bench: a wrong letter shows, a right one moves the number.
        const std::wstring letter(answer == Answer::Wrong, image.typedLetter);
        EXPECT_TRUE(gui::WaitUntil([&] {
            return benches[b].Text(IDC_SERIAL) == shown &&
                   benches[b].Text(IDC_FEEDBACK).starts_with(letter);
        })) << "bench "
            << b << ": " << benches[b].Text(IDC_SERIAL);
    }
    EXPECT_EQ(gui::FileContent(m_counter), "1045\r\n");
}

// A counter that another program holds locked past the wait, a read-only one or one that holds
// letters gives no number: the message names it and says why, no lock key goes out and the
// counter is as it was.
TEST_F(SharedSerial, ACounterThatGivesNoNumberStopsTheWrite) {
    const HANDLE other = ::CreateFileW(m_counter.c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED firstByte{};
    ASSERT_TRUE(::LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &firstByte));
    const auto expectRefused = [&](const std::wstring& reason) {
        benches[0].Click(IDC_WRITE);
        const auto box = benches[0].AnswerBox(IDOK);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"Cannot take a serial number from \"" + m_counter + L"\": " + reason +
                                 L"\nNothing was sent to the key box.");
        EXPECT_TRUE(keyBox.LockEvents().empty()) << "a lock key went out";
    };
    expectRefused(L"Another bench has held it locked for more than 2 seconds.");
    ::CloseHandle(other);  // which gives up its lock
    ::SetFileAttributesW(m_counter.c_str(), FILE_ATTRIBUTE_READONLY);
    expectRefused(L"The file is read-only.");
    ::SetFileAttributesW(m_counter.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(gui::FileContent(m_counter), "1041\r\n");
    ASSERT_TRUE(gui::WriteFileBytes(m_counter, "12ab\r\n"));
    expectRefused(
        L"It holds \"12ab\\r\\n\", not a serial number from 0 to 268435455 and a line end.");
    EXPECT_EQ(gui::FileContent(m_counter), "12ab\r\n");
}

}  // namespace
