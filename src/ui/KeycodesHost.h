// What the key code chooser needs of the main dialog: the current slot, the number of
// contacts, and the slot and key-repeat fields it rewrites as the user picks.
#pragma once

#include <string>
#include <string_view>

class IKeycodesHost {
public:
    virtual int CurrentSlot() const = 0;  // 0..47
    virtual void SetCurrentSlot(int slot) = 0;
    virtual int Contacts() const = 0;  // as stored: may lie outside 1..24
    // Replaces the whole text of slot field s.
    virtual void SetSlotText(int slot, std::wstring_view text) = 0;
    // Selects the whole text of slot field s and scrolls its caret into view.
    virtual void SelectSlot(int slot) = 0;
    virtual std::wstring RepeatText() const = 0;
    virtual void SetRepeatText(std::wstring_view text) = 0;  // replaces the whole text

protected:
    ~IKeycodesHost() = default;
};
