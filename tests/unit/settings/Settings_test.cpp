#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const Settings& s, std::ostream* os) {
    *os << "{serial " << s.serial << ", contacts " << s.contacts << ", bounceTime " << s.bounceTime
        << ", speed " << s.speed << "}";
}

namespace {

const std::wstring kKey = L"SOFTWARE\\Velkara\\Orvanta";

struct StoredValue {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
};

StoredValue Dword(std::uint32_t v) {
    return {kRegDword,
            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
}

using Values = std::map<std::wstring, StoredValue>;

// Behaves as the registry does for the calls the store makes: a query with a 4-byte buffer
// fails on longer data, and a refused write leaves the stored value as it was.
class FakeRegistry : public IRegistry {
public:
    std::map<std::wstring, Values> keys;
    bool refuseCreate = false;
    std::wstring refusedWrite;
    std::vector<std::wstring> writeAttempts;

    std::unique_ptr<IRegistryKey> OpenForRead(std::wstring_view subkey) override {
        const auto it = keys.find(std::wstring(subkey));
        if (it == keys.end()) {
            return nullptr;
        }
        return std::make_unique<Key>(*this, it->second);
    }

    std::unique_ptr<IRegistryKey> CreateForWrite(std::wstring_view subkey) override {
        if (refuseCreate) {
            return nullptr;
        }
        return std::make_unique<Key>(*this, keys[std::wstring(subkey)]);
    }

    std::optional<std::uint32_t> StoredDword(const std::wstring& name) const {
        const auto key = keys.find(kKey);
        if (key == keys.end()) {
            return std::nullopt;
        }
        const auto it = key->second.find(name);
        if (it == key->second.end() || it->second.type != kRegDword ||
            it->second.bytes.size() != 4) {
            return std::nullopt;
        }
        const auto& b = it->second.bytes;
        return b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24;
    }

private:
    class Key : public IRegistryKey {
    public:
        Key(FakeRegistry& registry, Values& values) : m_registry(registry), m_values(values) {}

        std::optional<RegistryValue> Query(std::wstring_view name) override {
            const auto it = m_values.find(std::wstring(name));
            if (it == m_values.end() || it->second.bytes.size() > 4) {
                return std::nullopt;
            }
            RegistryValue value;
            value.type = it->second.type;
            value.size = static_cast<std::uint32_t>(it->second.bytes.size());
            std::copy(it->second.bytes.begin(), it->second.bytes.end(), value.data.begin());
            return value;
        }

        bool SetDword(std::wstring_view name, std::uint32_t value) override {
            m_registry.writeAttempts.emplace_back(name);
            if (name == m_registry.refusedWrite) {
                return false;
            }
            m_values[std::wstring(name)] = Dword(value);
            return true;
        }

    private:
        FakeRegistry& m_registry;
        Values& m_values;
    };
};

Settings Loaded(FakeRegistry& registry, Settings start = {}) {
    LoadSettings(registry, start);
    return start;
}

TEST(SettingsLoad, TakesStoredValuesWithoutRangeChecks) {
    FakeRegistry registry;
    registry.keys[L"SOFTWARE\\Velkara"] = {{L"serial", Dword(7)}};
    EXPECT_EQ(Loaded(registry), (Settings{0, 4, 10, 50})) << "no key: the defaults stay";

    registry.keys[kKey] = {{L"serial", Dword(41)},
                           {L"contacts", Dword(30)},
                           {L"delay", Dword(25)},
                           {L"clearTime", Dword(0)}};
    EXPECT_EQ(Loaded(registry), (Settings{42, 30, 25, 0}));

    registry.keys[kKey] = {{L"contacts", Dword(0xFFFFFFFD)}, {L"clearTime", Dword(0xFFFFFFFF)}};
    EXPECT_EQ(Loaded(registry), (Settings{0, -3, 10, 0xFFFFFFFF}));
}

TEST(SettingsLoad, SerialIsTheStoredNumberPlusOneWithWrapAround) {
    const struct {
        std::uint32_t stored;
        std::int32_t shown;
    } cases[] = {{0, 1}, {41, 42}, {0x7FFFFFFF, INT32_MIN}, {0xFFFFFFFE, -1}, {0xFFFFFFFF, 0}};
    for (const auto& c : cases) {
        FakeRegistry registry;
        registry.keys[kKey] = {{L"serial", Dword(c.stored)}};
        EXPECT_EQ(Loaded(registry).serial, c.shown) << "stored " << c.stored;
    }
}

TEST(SettingsLoad, AValueThatIsNotAFullDwordIsSkippedAndTheOthersAreStillRead) {
    const Settings start{7, 5, 11, 60};
    const struct {
        const wchar_t* name;
        Settings expected;
    } positions[] = {
        {L"serial", {7, 12, 30, 200}},
        {L"contacts", {101, 5, 30, 200}},
        {L"delay", {101, 12, 11, 200}},
        {L"clearTime", {101, 12, 30, 60}},
    };
    const struct {
        const char* what;
        std::optional<StoredValue> value;
    } bad[] = {
        {"missing", std::nullopt},
        {"REG_SZ \"7\" of 4 bytes", StoredValue{kRegSz, {'7', 0, 0, 0}}},
        {"REG_BINARY of 4 bytes", StoredValue{kRegBinary, {9, 0, 0, 0}}},
        {"REG_QWORD", StoredValue{kRegQword, {9, 0, 0, 0, 0, 0, 0, 0}}},
        {"REG_DWORD with 2 bytes", StoredValue{kRegDword, {9, 0}}},
    };
    for (const auto& p : positions) {
        for (const auto& b : bad) {
            FakeRegistry registry;
            Values& values = registry.keys[kKey];
            values = {{L"serial", Dword(100)},
                      {L"contacts", Dword(12)},
                      {L"delay", Dword(30)},
                      {L"clearTime", Dword(200)}};
            values.erase(p.name);
            if (b.value) {
                values[p.name] = *b.value;
            }
            EXPECT_EQ(Loaded(registry, start), p.expected)
                << testing::PrintToString(p.name) << " " << b.what;
        }
    }
}

TEST(SettingsSave, CreatesTheKeyAndTheNextStartShowsTheSerialPlusOne) {
    const struct {
        Settings saved;
        Settings loaded;
    } cases[] = {
        {{0, 4, 10, 50}, {1, 4, 10, 50}},
        {{42, 24, 0, 500}, {43, 24, 0, 500}},
        {{-1, -3, 0xFFFFFFFF, 1}, {0, -3, 0xFFFFFFFF, 1}},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        EXPECT_EQ(SaveSettings(registry, c.saved), SaveResult::Saved);
        EXPECT_EQ(registry.StoredDword(L"serial"), static_cast<std::uint32_t>(c.saved.serial));
        EXPECT_EQ(registry.StoredDword(L"delay"), c.saved.bounceTime);
        EXPECT_EQ(Loaded(registry, Settings{9, 9, 9, 9}), c.loaded);
    }
}

TEST(SettingsSave, AFailingWriteStopsTheSaveAndKeepsEarlierValues) {
    const std::vector<std::wstring> order = {L"serial", L"contacts", L"delay", L"clearTime"};
    for (std::size_t failing = 0; failing < order.size(); ++failing) {
        FakeRegistry registry;
        registry.keys[kKey] = {{L"serial", Dword(1)},
                               {L"contacts", Dword(2)},
                               {L"delay", Dword(3)},
                               {L"clearTime", Dword(4)}};
        registry.refusedWrite = order[failing];

        EXPECT_EQ(SaveSettings(registry, Settings{41, 8, 20, 70}), SaveResult::WriteFailed);

        const std::vector<std::wstring> attempted(order.begin(), order.begin() + failing + 1);
        EXPECT_EQ(registry.writeAttempts, attempted) << "failing write " << failing;
        const std::uint32_t saved[] = {41, 8, 20, 70};
        for (std::size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(registry.StoredDword(order[i]), i < failing ? saved[i] : i + 1)
                << "failing write " << failing << ", value " << i;
        }
    }
}

TEST(SettingsSave, AKeyThatCannotBeCreatedIsReportedAndNothingIsWritten) {
    FakeRegistry registry;
    registry.keys[kKey] = {{L"serial", Dword(5)}};
    registry.refuseCreate = true;

    EXPECT_EQ(SaveSettings(registry, Settings{}), SaveResult::KeyUnavailable);
    EXPECT_TRUE(registry.writeAttempts.empty());
    EXPECT_EQ(registry.StoredDword(L"serial"), 5u);
}

}  // namespace
