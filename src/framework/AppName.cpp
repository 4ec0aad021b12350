#include "framework/AppName.h"

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

std::wstring FileArgument(std::wstring_view arguments) {
    const size_t first = arguments.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos)
        return {};
    arguments.remove_prefix(first);
    if (arguments.front() == L'"') {
        arguments.remove_prefix(1);
        return std::wstring(arguments.substr(0, arguments.find(L'"')));
    }
    return std::wstring(arguments.substr(0, arguments.find_last_not_of(L" \t") + 1));
}

}  // namespace fw
