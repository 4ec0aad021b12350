#include "settings/FieldRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(FieldRules, SerialNumberWrapsAtTheTopWithoutOverflow) {
    EXPECT_EQ(NextSerial(41), 42);
    EXPECT_EQ(NextSerial(-1), 0);
    EXPECT_EQ(NextSerial(INT32_MAX), INT32_MIN);
}

// Stored settings may hold any count; INT32_MIN once overflowed on its way to the list.
TEST(FieldRules, StoredContactsOutsideTheListSelectNothingNotEvenInt32Min) {
    const std::pair<std::int32_t, int> cases[] = {
        {1, 0}, {4, 3}, {24, 23}, {0, -1}, {25, -1}, {-3, -1}, {INT32_MIN, -1}, {INT32_MAX, -1}};
    for (const auto& [contacts, index] : cases) {
        EXPECT_EQ(ContactsListIndex(contacts), index) << contacts;
        if (index >= 0) {
            EXPECT_EQ(ContactsFromListIndex(index), contacts);
        }
    }
    EXPECT_EQ(ContactsFromListIndex(-1), std::nullopt);
    EXPECT_EQ(ContactsFromListIndex(24), std::nullopt);
}

// A typed count is used only when the text names a list item; the field then shows the count
// in use, or nothing for a count outside the list.
TEST(FieldRules, ContactsFieldTextAndTheCountInUse) {
    const std::optional<std::int32_t> none;
    const std::pair<const wchar_t*, std::optional<std::int32_t>> typed[] = {
        {L"", none},   {L"1", 1},     {L"9", 9},    {L"12", 12},   {L"24", 24},
        {L"25", none}, {L"30", none}, {L"x", none}, {L" 9", none}, {L"09", none},
    };
    for (const auto& [text, contacts] : typed) {
        EXPECT_EQ(ContactsFromText(text), contacts) << testing::PrintToString(text);
        EXPECT_EQ(ContactsText(contacts.value_or(30)), contacts ? text : L"");
    }
    EXPECT_EQ(ContactsText(INT32_MIN), L"");
    EXPECT_EQ(ContactsText(0), L"");
}

}  // namespace
