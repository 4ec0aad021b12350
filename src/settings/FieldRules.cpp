#include "settings/FieldRules.h"

namespace {
constexpr std::int32_t kMaxContacts = 24;
}

std::int32_t NextSerial(std::int32_t serial) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(serial) + 1u);
}

int ContactsListIndex(std::int32_t contacts) {
    // Compared before anything is subtracted, so INT32_MIN cannot overflow.
    return contacts >= 1 && contacts <= kMaxContacts ? contacts - 1 : -1;
}

std::optional<std::int32_t> ContactsFromListIndex(int index) {
    if (index < 0 || index >= kMaxContacts)
        return std::nullopt;
    return index + 1;
}
