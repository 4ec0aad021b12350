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

std::optional<std::int32_t> ContactsFromText(std::wstring_view text) {
    for (std::int32_t contacts = 1; contacts <= kMaxContacts; ++contacts) {
        if (text == ContactsText(contacts))
            return contacts;
    }
    return std::nullopt;
}

std::wstring ContactsText(std::int32_t contacts) {
    return ContactsListIndex(contacts) >= 0 ? std::to_wstring(contacts) : std::wstring();
}
