#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

// The bytes as the registry keeps them, for the comparison of stored values.
bool operator==(const RegistryValue& a, const RegistryValue& b) {
    return a.type == b.type && a.size == b.size && a.data == b.data;
}

void PrintTo(const Configuration& s, std::ostream* os) {
    *os << "{" << s.serial << ", " << s.contacts << ", " << s.bounceTime << ", " << s.speed << "}";
}

namespace {

const std::wstring kKey = L"SOFTWARE\\Velkara\\Orvanta";
const std::wstring kNames[] = {L"serial", L"contacts", L"delay", L"clearTime"};

using Values = std::map<std::wstring, RegistryValue>;

RegistryValue Dword(std::uint32_t v) {
    return {kRegDword,
            4,
            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
}

Values Dwords(std::array<std::uint32_t, 4> stored) {
    Values values;
    for (int i = 0; i < 4; ++i)
        values[kNames[i]] = Dword(stored[i]);
    return values;
}

// As the registry answers the store's calls (a value of more than 4 bytes, which a query with
// a 4-byte buffer fails on, is left out as a missing one); a refused write leaves the stored
// value as it was.
class FakeRegistry : public IRegistry {
public:
    std::map<std::wstring, Values> keys;
    std::map<std::wstring, RegistryText> texts;  // string values, in any key
    bool refuseCreate = false;
    std::wstring refusedWrite;

    std::unique_ptr<IRegistryKey> OpenForRead(std::wstring_view subkey) override {
        const auto it = keys.find(std::wstring(subkey));
        return it == keys.end() ? nullptr : std::make_unique<Key>(it->second, *this);
    }
    std::unique_ptr<IRegistryKey> CreateForWrite(std::wstring_view subkey) override {
        return refuseCreate ? nullptr : std::make_unique<Key>(keys[std::wstring(subkey)], *this);
    }

private:
    struct Key : IRegistryKey {
        Key(Values& values, FakeRegistry& registry) : values(values), registry(registry) {}
        std::optional<RegistryValue> Query(std::wstring_view name) override {
            const auto it = values.find(std::wstring(name));
            return it == values.end() ? std::nullopt : std::optional(it->second);
        }
        std::optional<RegistryText> QueryText(std::wstring_view name) override {
            const auto text = registry.texts.find(std::wstring(name));
            if (text != registry.texts.end())
                return text->second;
            const auto value = Query(name);
            return value ? std::optional(RegistryText{value->type, {}}) : std::nullopt;
        }
        bool SetDword(std::wstring_view name, std::uint32_t value) override {
            if (name == registry.refusedWrite)
                return false;
            values[std::wstring(name)] = Dword(value);
            return true;
        }
        bool SetText(std::wstring_view name, std::wstring_view value) override {
            registry.texts[std::wstring(name)] = {kRegSz, std::wstring(value)};
            return name != registry.refusedWrite;
        }
        Values& values;
        FakeRegistry& registry;
    };
};

// A configuration with the four values the store keeps; the rest as a new one has it.
Configuration Settings(std::int32_t serial, std::int32_t contacts, std::uint32_t bounceTime,
                       std::uint32_t speed) {
    Configuration settings;
    settings.serial = serial, settings.contacts = contacts;
    settings.bounceTime = bounceTime, settings.speed = speed;
    return settings;
}

Configuration Loaded(FakeRegistry& registry, Configuration start = {}) {
    LoadSettings(registry, start);
    return start;
}

TEST(Settings, LoadTakesStoredValuesWithoutRangeChecks) {
    FakeRegistry registry;
    registry.keys[L"SOFTWARE\\Velkara"] = Dwords({7, 7, 7, 7});
    EXPECT_EQ(Loaded(registry), (Settings(0, 4, 10, 50))) << "no key: the defaults stay";
    registry.keys[kKey] = Dwords({41, 30, 25, 0});
    EXPECT_EQ(Loaded(registry), (Settings(42, 30, 25, 0)));
    registry.keys[kKey] = Dwords({0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFF, 501});
    EXPECT_EQ(Loaded(registry), (Settings(0, -3, 0xFFFFFFFF, 501)));
    registry.keys[kKey] = Dwords({0x7FFFFFFF, 0, 1, 1});
    EXPECT_EQ(Loaded(registry), (Settings(INT32_MIN, 0, 1, 1)));
}

// Each kind of value a load passes over, in another place each time.
TEST(Settings, LoadSkipsAValueThatIsNotAFullDwordAndReadsTheOthers) {
    // Loaded over {7, 5, 11, 60}: the skipped member keeps its value.
    const std::pair<std::optional<RegistryValue>, Configuration> bad[] = {
        {std::nullopt, Settings(7, 12, 30, 200)},
        {RegistryValue{kRegSz, 4, {'7'}}, Settings(101, 5, 30, 200)},
        {RegistryValue{kRegBinary, 4, {9}}, Settings(101, 12, 11, 200)},
        {RegistryValue{kRegDword, 2, {9}}, Settings(101, 12, 30, 60)}};
    for (int position = 0; position < 4; ++position) {
        const auto& [value, expected] = bad[position];
        FakeRegistry registry;
        Values& stored = registry.keys[kKey] = Dwords({100, 12, 30, 200});
        stored.erase(kNames[position]);
        if (value)
            stored[kNames[position]] = *value;
        EXPECT_EQ(Loaded(registry, Settings(7, 5, 11, 60)), expected) << "position " << position;
    }
}

// The key cannot be created (-1), a write is refused (0..3), or all goes well (4). After an
// acknowledged write the serial number is stored on its own, with the same refusals.
TEST(Settings, SaveWritesInOrderAndStopsAtTheFirstFailure) {
    const Values old = Dwords({1, 2, 3, 4});
    for (const int names : {4, 1}) {
        for (int failing = -1; failing <= 4; ++failing) {
            FakeRegistry registry;
            registry.keys[kKey] = old;
            registry.refuseCreate = failing < 0;
            if (failing >= 0 && failing < 4)
                registry.refusedWrite = kNames[failing];
            const SaveResult result = names == 1 ? SaveSerial(registry, -2)
                                                 : SaveSettings(registry, Settings(-2, -8, 20, 70));
            EXPECT_EQ(result, failing < 0       ? SaveResult::KeyUnavailable
                              : failing < names ? SaveResult::WriteFailed
                                                : SaveResult::Saved);
            Values expected = Dwords({0xFFFFFFFE, 0xFFFFFFF8, 20, 70});
            for (int i = std::min(std::max(failing, 0), names); i < 4; ++i)
                expected[kNames[i]] = old.at(kNames[i]);
            EXPECT_EQ(registry.keys[kKey], expected) << names << " names, failing " << failing;
        }
    }
}

// The log's place: the stored file, the Documents folder's log while none is stored, and a
// value that names no file is named in the message with what is wrong.
TEST(Settings, TheLogFileValueNamesAFileByItsFullPath) {
    const auto isFolder = [](const std::wstring& path) { return path == L"C:\\Logs"; };
    const std::wstring head = L"The setting \"LogFile\" ";
    const struct {
        std::optional<RegistryText> stored;
        std::wstring path, problem;
    } rows[] = {
        {std::nullopt, L"D:\\log.csv", L""},
        {RegistryText{kRegSz, L""}, L"D:\\log.csv", L""},
        {RegistryText{kRegSz, L"C:\\Logs\\log.csv"}, L"C:\\Logs\\log.csv", L""},
        {RegistryText{kRegExpandSz, L"\\\\server\\share\\log.csv"}, L"\\\\server\\share\\log.csv",
         L""},
        {RegistryText{kRegDword, L""}, L"", head + L"is not text (its registry type is 4)."},
        {RegistryText{kRegSz, L"log.csv"}, L"log.csv",
         head + L"holds \"log.csv\", which is not a full path."},
        {RegistryText{kRegSz, L"C:log.csv"}, L"C:log.csv",
         head + L"holds \"C:log.csv\", which is not a full path."},
        {RegistryText{kRegSz, L"\\log.csv"}, L"\\log.csv",
         head + L"holds \"\\log.csv\", which is not a full path."},
        {RegistryText{kRegSz, L"C:\\Logs"}, L"C:\\Logs",
         head + L"holds \"C:\\Logs\", which names a folder, not a file."},
    };
    for (const auto& row : rows) {
        FakeRegistry registry;
        registry.keys[kKey] = {};
        if (row.stored)
            registry.texts[L"LogFile"] = *row.stored;
        const FilePlace place = LoadFilePlace(registry, kLogFileValue, L"D:\\log.csv", isFolder);
        EXPECT_EQ(place.path, row.path);
        EXPECT_EQ(place.problem, row.problem);
    }
}

}  // namespace
