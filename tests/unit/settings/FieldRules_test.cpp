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
}

}  // namespace
