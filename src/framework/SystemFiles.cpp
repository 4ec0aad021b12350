#include "framework/SystemFiles.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

namespace fw {

FARPROC SystemProc(const wchar_t* library, const char* name) {
    HMODULE module = ::GetModuleHandleW(library);
    if (module == nullptr) {
        wchar_t folder[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            module = ::LoadLibraryW((std::wstring(folder, length) + L"\\" + library).c_str());
    }
    return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

std::optional<std::wstring> AskFilePath(HWND owner, FileDialog kind, const wchar_t* filter,
                                        const wchar_t* defaultExtension, const std::wstring& path) {
    std::vector<wchar_t> name(32768, L'\0');  // room for a long path
    path.copy(name.data(), std::min(path.size(), name.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (kind == FileDialog::Open)
        dialog.Flags |= OFN_FILEMUSTEXIST;
    if (kind == FileDialog::SaveAs)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    const auto ask = SystemFunction<decltype(&::GetOpenFileNameW)>(
        L"comdlg32.dll", kind == FileDialog::Open ? "GetOpenFileNameW" : "GetSaveFileNameW");
    if (ask == nullptr || !ask(&dialog))
        return std::nullopt;
    return std::wstring(name.data());
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
    const auto query =
        SystemFunction<decltype(&::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    const auto finish = SystemFunction<decltype(&::DragFinish)>(L"shell32.dll", "DragFinish");
    std::vector<std::wstring> files;
    if (query == nullptr || finish == nullptr)
        return files;
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
        files.push_back(std::move(path));
    }
    finish(drop);
    return files;
}

namespace {

std::wstring KnownFolder(const GUID& id) {
    const auto known =
        SystemFunction<decltype(&::SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    const auto free = SystemFunction<decltype(&::CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    if (known == nullptr || free == nullptr)
        return {};
    wchar_t* folder = nullptr;
    std::wstring path;
    if (known(id, 0, nullptr, &folder) == S_OK && folder != nullptr)
        path = folder;
    free(folder);
    return path;
}

}  // namespace

// The folders' ids written out, so that no GUID library needs linking.
std::wstring DocumentsFolder() {
    static const GUID kDocuments = {
        0xFDD39AD0, 0x238F, 0x46AF, {0xAD, 0xB4, 0x6C, 0x85, 0x48, 0x03, 0x69, 0xC7}};
    return KnownFolder(kDocuments);
}

std::wstring LocalAppDataFolder() {
    static const GUID kLocalAppData = {
        0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};
    return KnownFolder(kLocalAppData);
}

}  // namespace fw
