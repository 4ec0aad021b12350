#include "settings/ConfigFile.h"

#include <algorithm>

#include "settings/FieldRules.h"
#include "text/ComboText.h"
#include "text/FileText.h"
#include "text/IntegerText.h"
#include "text/Unicode.h"

namespace {

constexpr wchar_t kSection[] = L"Orvanta";
constexpr size_t kShownValueLength = 40;  // a refused value is shown up to this length
constexpr int kShownUnknownLines = 10;    // a message lists this many lines of unknown keys

// The keys in the order a file is written; Slot1..Slot48 follow kFirstSlot.
enum Key : int { kContacts, kBounceTime, kSpeed, kProtected, kKeyRepeat, kFirstSlot };
constexpr int kKeyCount = kFirstSlot + kSlotCount;

const std::wstring& KeyName(int key) {
    static const auto names = [] {
        std::array<std::wstring, kKeyCount> all = {L"Contacts", L"BounceTime", L"Speed",
                                                   L"Protected", L"KeyRepeat"};
        for (int s = 0; s < kSlotCount; ++s)
            all[static_cast<size_t>(kFirstSlot + s)] = L"Slot" + std::to_wstring(s + 1);
        return all;
    }();
    return names[static_cast<size_t>(key)];
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

int KeyIndex(std::wstring_view name) {
    for (int key = 0; key < kKeyCount; ++key) {
        if (EqualIgnoringCase(name, KeyName(key)))
            return key;
    }
    return -1;
}

// Why a field's text cannot be kept in a file exactly; nothing when it can. A line break would
// end the line, other control characters make the file no text, and half a surrogate pair has
// no UTF-8 form.
const wchar_t* Unkeepable(std::wstring_view text) {
    for (size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == L'\r' || c == L'\n')
            return L"a line break";
        if (c < 0x20 && c != L'\t')
            return L"a control character";
        if (IsSurrogate(c) || c > 0x10FFFF)
            return L"half of a surrogate pair";
    }
    return nullptr;
}

// A value keeps the blanks at its ends, and a double quote it starts with, inside a pair of
// double quotes, which reading takes off again.
std::wstring Quoted(std::wstring_view value) {
    if (value.empty() || (TrimBlanks(value).size() == value.size() && value.front() != L'"'))
        return std::wstring(value);
    return L"\"" + std::wstring(value) + L"\"";
}

std::wstring_view Unquoted(std::wstring_view value) {
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"')
        return value.substr(1, value.size() - 2);
    return value;
}

// The next line of `rest`, taken off it with its line end: CR LF, LF or CR alone.
std::wstring_view NextLine(std::wstring_view& rest) {
    const size_t end = std::min(rest.find_first_of(L"\r\n"), rest.size());
    const std::wstring_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(rest.size(), end + (rest.substr(end, 2) == L"\r\n" ? 2 : 1)));
    return line;
}

// A line as a message shows it: at most kShownValueLength characters.
std::wstring Shown(std::wstring_view text) {
    std::wstring shown(text.substr(0, kShownValueLength));
    if (text.size() > kShownValueLength)
        shown += L"...";
    return shown;
}

// --- Values ---------------------------------------------------------------------------------

template <class Values>  // ConfigValues, const or not
auto& Slot(Values& values, int key) {
    return values.slots[static_cast<size_t>(key - kFirstSlot)];
}

// Takes one value into `values`; the reason it is refused otherwise.
std::optional<std::wstring> TakeValue(ConfigValues& values, int key, std::wstring_view text) {
    switch (key) {
        case kContacts: {
            const auto contacts = ContactsFromText(text);  // as the field takes it
            if (!contacts)
                return L"a number from 1 to 24";
            values.contacts = *contacts;
            return std::nullopt;
        }
        case kBounceTime: {
            const auto bounce = ParseUInt32Text(text);
            if (!bounce)
                return L"a whole number from 0 to 4294967295";
            values.bounceTime = *bounce;
            return std::nullopt;
        }
        case kSpeed: {
            const auto speed = ParseUInt32Text(text);
            if (!speed || *speed < kMinSpeed || *speed > kMaxSpeed)
                return L"a number from " + std::to_wstring(kMinSpeed) + L" to " +
                       std::to_wstring(kMaxSpeed);
            values.speed = *speed;
            return std::nullopt;
        }
        case kProtected:
            if (text != L"0" && text != L"1")
                return L"0 or 1";
            values.protectedFlag = text == L"1";
            return std::nullopt;
        case kKeyRepeat:
            values.repeatText = std::wstring(text);
            return std::nullopt;
        default:
            Slot(values, key) = std::wstring(text);
            return std::nullopt;
    }
}

// The text a key is written with; none for a key without a value.
std::optional<std::wstring> ValueText(const ConfigValues& values, int key) {
    auto number = [](const auto& value) {
        return value ? std::optional(std::to_wstring(*value)) : std::nullopt;
    };
    switch (key) {
        case kContacts:
            return number(values.contacts);
        case kBounceTime:
            return number(values.bounceTime);
        case kSpeed:
            return number(values.speed);
        case kProtected:
            if (!values.protectedFlag)
                return std::nullopt;
            return *values.protectedFlag ? L"1" : L"0";
        case kKeyRepeat:
            return values.repeatText;
        default:
            return Slot(values, key);
    }
}

std::wstring InQuotes(std::wstring_view fileName) {
    return L"\"" + std::wstring(fileName) + L"\"";
}

}  // namespace

ConfigRead ReadConfigFile(std::string_view bytes, std::wstring_view fileName) {
    ConfigRead read;
    if (bytes.size() > kMaxConfigFileBytes) {
        read.error = CannotOpenMessage(fileName, L"It is larger than 1 MB.");
        return read;
    }
    const std::optional<std::wstring> text = DecodeText(bytes);
    if (!text) {
        read.error = CannotOpenMessage(fileName, L"It is not a text file in UTF-8 or UTF-16.");
        return read;
    }

    ConfigValues values;
    std::array<int, kKeyCount> lineOfKey{};
    bool sectionFound = false;
    bool inSection = false;
    bool anyKey = false;
    std::wstring unknown;  // the section's lines that name no key, one per line of a message
    int unknownLines = 0;
    std::wstring_view rest = *text;
    for (int lineNo = 1; !rest.empty(); ++lineNo) {
        std::wstring_view line = NextLine(rest);
        if (line.size() > kMaxConfigLineLength) {
            read.error = CannotOpenMessage(
                fileName, L"Line " + std::to_wstring(lineNo) + L" is longer than " +
                              std::to_wstring(kMaxConfigLineLength) + L" characters.");
            return read;
        }
        line = TrimBlanks(line);
        if (line.empty() || line.front() == L';' || line.front() == L'#')
            continue;
        if (line.front() == L'[') {
            // Only a whole header names the section: "[Orvanta" or "[Orvanta] x" does not.
            inSection = line.find(L']') == line.size() - 1 &&
                        EqualIgnoringCase(TrimBlanks(line.substr(1, line.size() - 2)), kSection);
            sectionFound = sectionFound || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const size_t equals = line.find(L'=');
        const int key =
            equals == std::wstring_view::npos ? -1 : KeyIndex(TrimBlanks(line.substr(0, equals)));
        if (key < 0) {
            if (++unknownLines <= kShownUnknownLines)
                unknown += L"\nline " + std::to_wstring(lineNo) + L": " + Shown(line);
            continue;
        }
        const std::wstring_view value = Unquoted(TrimBlanks(line.substr(equals + 1)));
        if (lineOfKey[static_cast<size_t>(key)] != 0) {
            read.error = CannotOpenMessage(
                fileName, KeyName(key) + L" is given twice, in lines " +
                              std::to_wstring(lineOfKey[static_cast<size_t>(key)]) + L" and " +
                              std::to_wstring(lineNo) + L".");
            return read;
        }
        lineOfKey[static_cast<size_t>(key)] = lineNo;
        anyKey = true;
        if (const auto wanted = TakeValue(values, key, value)) {
            read.error =
                CannotOpenMessage(fileName, KeyName(key) + L"=" + Shown(value) + L" is refused: " +
                                                KeyName(key) + L" takes " + *wanted + L".");
            return read;
        }
    }
    if (!sectionFound) {
        read.error = CannotOpenMessage(fileName, L"It has no [Orvanta] section.");
        return read;
    }
    if (unknownLines > kShownUnknownLines)
        unknown += L"\nand " + std::to_wstring(unknownLines - kShownUnknownLines) + L" more";
    if (!anyKey) {
        read.error =
            CannotOpenMessage(fileName, L"Its [Orvanta] section names no key the program knows" +
                                            (unknown.empty() ? L"." : L":" + unknown));
        return read;
    }
    if (!unknown.empty()) {
        read.notice = L"The configuration file " + InQuotes(fileName) +
                      L" is open. These lines name no key the program knows and were skipped:" +
                      unknown;
    }
    read.values = std::move(values);
    return read;
}

ConfigText FormatConfigFile(const ConfigValues& values, std::wstring_view fileName) {
    std::wstring text = L"[" + std::wstring(kSection) + L"]\r\n";
    ConfigText file;
    for (int key = 0; key < kKeyCount; ++key) {
        const std::optional<std::wstring> value = ValueText(values, key);
        if (!value)
            continue;
        if (const wchar_t* why = Unkeepable(*value)) {
            file.error = CannotSaveMessage(fileName, KeyName(key) + L" holds " + why + L".");
            return file;
        }
        const std::wstring line = KeyName(key) + L"=" + Quoted(*value);
        if (line.size() > kMaxConfigLineLength) {
            file.error = CannotSaveMessage(
                fileName, KeyName(key) + L" is too long to keep: " + L"a line holds at most " +
                              std::to_wstring(kMaxConfigLineLength) + L" characters.");
            return file;
        }
        text += line + L"\r\n";
    }
    AppendUtf8(file.bytes, text);
    return file;
}

ConfigValues FileValuesOf(const Configuration& config) {
    ConfigValues values;
    if (ContactsListIndex(config.contacts) >= 0)
        values.contacts = config.contacts;
    values.bounceTime = config.bounceTime;
    values.speed = config.speed;
    values.protectedFlag = config.protectedFlag;
    values.repeatText = config.repeatText;
    for (int s = 0; s < kSlotCount; ++s)
        values.slots[static_cast<size_t>(s)] = config.slots[static_cast<size_t>(s)];
    return values;
}

void ApplyFileValues(const ConfigValues& values, Configuration& config) {
    config.contacts = values.contacts.value_or(config.contacts);
    config.bounceTime = values.bounceTime.value_or(config.bounceTime);
    config.speed = values.speed.value_or(config.speed);
    config.protectedFlag = values.protectedFlag.value_or(config.protectedFlag);
    config.repeatText = values.repeatText.value_or(config.repeatText);
    for (int s = 0; s < kSlotCount; ++s) {
        const auto i = static_cast<size_t>(s);
        config.slots[i] = values.slots[i].value_or(config.slots[i]);
    }
}

std::wstring CannotOpenMessage(std::wstring_view fileName, std::wstring_view reason) {
    return L"Cannot open the configuration file " + InQuotes(fileName) + L":\n" +
           std::wstring(reason) + L"\nNothing was changed.";
}

std::wstring CannotSaveMessage(std::wstring_view fileName, std::wstring_view reason) {
    return CannotSaveMessage(fileName, SaveOutcome::Unchanged(std::wstring(reason)));
}

std::wstring CannotSaveMessage(std::wstring_view fileName, const SaveOutcome& save) {
    std::wstring where = L"The file is as it was.";
    if (save.newAt == SaveFile::Fresh) {
        const std::wstring kept = L"The new configuration is in " + InQuotes(save.freshPath) + L".";
        if (save.oldAt == SaveFile::Target)
            where += L" " + kept;
        else if (save.oldAt == SaveFile::Backup)
            where = kept + L" The old file is now " + InQuotes(save.backupPath) + L".";
        else
            where = kept + L" The old file is lost.";
    }
    return L"Cannot save the configuration to " + InQuotes(fileName) + L":\n" + save.failure +
           L"\n" + where;
}
