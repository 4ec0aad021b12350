#include "text/IntegerText.h"

namespace {

// Magnitude and sign of a decimal integer text; nullopt for anything else or for a
// magnitude above `limit`.
struct Magnitude {
    std::uint64_t value;
    bool negative;
};

std::optional<Magnitude> ReadMagnitude(std::wstring_view text, std::uint64_t limit,
                                       bool allowMinus) {
    text = TrimBlanks(text);
    size_t i = 0;
    const size_t end = text.size();
    bool negative = false;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        if (negative && !allowMinus)
            return std::nullopt;
        ++i;
    }
    if (i == end)
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < end; ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
        if (value > limit)
            return std::nullopt;  // also keeps the product from overflowing
    }
    return Magnitude{value, negative};
}

}  // namespace

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::optional<std::int32_t> ParseInt32Text(std::wstring_view text) {
    // The negative side reaches one further than the positive one.
    const auto m = ReadMagnitude(text, std::uint64_t{INT32_MAX} + 1, true);
    if (!m)
        return std::nullopt;
    if (m->negative)
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(m->value));
    if (m->value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(m->value);
}

std::optional<std::uint32_t> ParseUInt32Text(std::wstring_view text) {
    const auto m = ReadMagnitude(text, UINT32_MAX, false);
    if (!m)
        return std::nullopt;
    return static_cast<std::uint32_t>(m->value);
}
