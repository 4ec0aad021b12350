#include "framework/AppName.h"

#include <algorithm>

#include "text/IntegerText.h"

namespace fw {

std::wstring AppNameFromPath(std::wstring_view modulePath) {
    const size_t slash = modulePath.find_last_of(L"\\/:");
    std::wstring_view name =
        slash == std::wstring_view::npos ? modulePath : modulePath.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::wstring(name);
}

std::vector<std::wstring> FileArguments(std::wstring_view arguments,
                                        const std::function<bool(const std::wstring&)>& exists) {
    arguments = TrimBlanks(arguments);
    std::vector<std::wstring> files;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == L' ' || arguments[i] == L'\t')
            continue;
        const bool quoted = arguments[i] == L'"';
        const size_t begin = i + (quoted ? 1 : 0);
        i = std::min(arguments.find_first_of(quoted ? L"\"" : L" \t", begin), arguments.size());
        if (i > begin)
            files.emplace_back(arguments.substr(begin, i - begin));
    }
    const std::wstring whole(arguments);
    if (files.size() > 1 && whole.find(L'"') == std::wstring::npos &&
        (exists(whole) || !std::all_of(files.begin(), files.end(), exists))) {
        return {whole};
    }
    return files;
}

}  // namespace fw
