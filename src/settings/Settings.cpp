#include "settings/Settings.h"

#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr std::wstring_view kSerialName = L"serial";
constexpr std::wstring_view kContactsName = L"contacts";
constexpr std::wstring_view kDelayName = L"delay";
constexpr std::wstring_view kClearTimeName = L"clearTime";

// A value counts only as a full REG_DWORD: a shorter one would leave bytes of the member
// undefined, so it is passed over like a value of another type.
std::optional<std::uint32_t> QueryDword(IRegistryKey& key, std::wstring_view name) {
    const std::optional<RegistryValue> value = key.Query(name);
    if (!value || value->type != kRegDword || value->size != 4) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value->data[0]) |
           static_cast<std::uint32_t>(value->data[1]) << 8 |
           static_cast<std::uint32_t>(value->data[2]) << 16 |
           static_cast<std::uint32_t>(value->data[3]) << 24;
}

}  // namespace

void LoadSettings(IRegistry& registry, Configuration& settings) {
    const std::unique_ptr<IRegistryKey> key = registry.OpenForRead(kSettingsKey);
    if (!key) {
        return;
    }
    if (const auto serial = QueryDword(*key, kSerialName)) {
        // Unsigned arithmetic, so 0xFFFFFFFF wraps to 0 without signed overflow.
        settings.serial = static_cast<std::int32_t>(*serial + 1u);
    }
    if (const auto contacts = QueryDword(*key, kContactsName)) {
        settings.contacts = static_cast<std::int32_t>(*contacts);
    }
    if (const auto delay = QueryDword(*key, kDelayName)) {
        settings.bounceTime = *delay;
    }
    if (const auto clearTime = QueryDword(*key, kClearTimeName)) {
        settings.speed = *clearTime;
    }
}

namespace {

// Writes (name, value) pairs in order and stops at the first refusal.
template <typename... Values>
SaveResult Save(IRegistry& registry, const Values&... values) {
    const std::unique_ptr<IRegistryKey> key = registry.CreateForWrite(kSettingsKey);
    if (!key) {
        // Reported like a refused write: losing the serial sequence silently would hand the
        // next key box a number that is already in use.
        return SaveResult::KeyUnavailable;
    }
    const bool written =
        (key->SetDword(values.first, static_cast<std::uint32_t>(values.second)) && ...);
    return written ? SaveResult::Saved : SaveResult::WriteFailed;
}

}  // namespace

SaveResult SaveSettings(IRegistry& registry, const Configuration& settings) {
    return Save(registry, std::pair{kSerialName, settings.serial},
                std::pair{kContactsName, settings.contacts},
                std::pair{kDelayName, settings.bounceTime},
                std::pair{kClearTimeName, settings.speed});
}

SaveResult SaveSerial(IRegistry& registry, std::int32_t serial) {
    return Save(registry, std::pair{kSerialName, serial});
}

FilePlace LoadFilePlace(IRegistry& registry, std::wstring_view name, std::wstring_view fallback,
                        const std::function<bool(const std::wstring&)>& isFolder) {
    const std::unique_ptr<IRegistryKey> key = registry.OpenForRead(kSettingsKey);
    const std::optional<RegistryText> value = key ? key->QueryText(name) : std::nullopt;
    const bool text = value && (value->type == kRegSz || value->type == kRegExpandSz);
    if (!value || (text && value->text.empty()))
        return {std::wstring(fallback), {}};
    const std::wstring head = L"The setting \"" + std::wstring(name) + L"\" ";
    if (!text) {
        return {
            {},
            head + L"is not text (its registry type is " + std::to_wstring(value->type) + L")."};
    }
    const std::wstring& path = value->text;
    // A full path starts with a drive and a backslash, or names a share (\\server\share).
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') &&
                       path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    const bool share = path.size() > 2 && path.starts_with(L"\\\\");
    const std::wstring holds = head + L"holds \"" + path + L"\", ";
    if (!drive && !share)
        return {path, holds + L"which is not a full path."};
    if (isFolder(path))
        return {path, holds + L"which names a folder, not a file."};
    return {path, {}};
}

SaveResult SaveFilePlace(IRegistry& registry, std::wstring_view name, std::wstring_view path) {
    const std::unique_ptr<IRegistryKey> key = registry.CreateForWrite(kSettingsKey);
    if (!key)
        return SaveResult::KeyUnavailable;
    return key->SetText(name, path) ? SaveResult::Saved : SaveResult::WriteFailed;
}
