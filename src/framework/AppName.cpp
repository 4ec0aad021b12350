#include "framework/AppName.h"

#include "framework/IntegerText.h"

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
    arguments = TrimBlanks(arguments);
    if (arguments.starts_with(L'"')) {
        arguments.remove_prefix(1);
        return std::wstring(arguments.substr(0, arguments.find(L'"')));
    }
    return std::wstring(arguments);
}

}  // namespace fw
