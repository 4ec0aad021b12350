#include "settings/FileRules.h"

#include <string_view>
#include <utility>

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongShare = L"\\\\?\\UNC\\";

}  // namespace

std::wstring LongPathForm(const std::wstring& full) {
    if (full.starts_with(kLongPrefix) || full.starts_with(L"\\\\.\\"))
        return full;
    if (full.starts_with(L"\\\\"))
        return std::wstring(kLongShare) + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

std::wstring UsualPathForm(const std::wstring& path) {
    if (path.starts_with(kLongShare))
        return L"\\\\" + path.substr(kLongShare.size());
    if (path.starts_with(kLongPrefix))
        return path.substr(kLongPrefix.size());
    return path;
}

SaveOutcome SaveOutcome::Unchanged(std::wstring failure, bool hadOld) {
    SaveOutcome result;
    result.newAt = SaveFile::None;
    result.oldAt = hadOld ? SaveFile::Target : SaveFile::None;
    result.failure = std::move(failure);
    return result;
}

SaveOutcome FinishSave(unsigned long error, bool hadOld, ISaveFiles& files) {
    if (error == 0 ||
        (hadOld && !files.Exists(SaveFile::Target) && files.MoveToTarget(SaveFile::Fresh))) {
        files.Remove(SaveFile::Backup);
        return {};
    }
    if (!hadOld || files.Exists(SaveFile::Target)) {
        // Nothing was moved: the old file, if any, is as it was.
        files.Remove(SaveFile::Fresh);
        return SaveOutcome::Unchanged({}, hadOld);
    }
    // The old file has left its place and the fresh file cannot take it: both stay.
    SaveOutcome result;
    result.newAt = SaveFile::Fresh;
    if (files.Exists(SaveFile::Backup))
        result.oldAt = files.MoveToTarget(SaveFile::Backup) ? SaveFile::Target : SaveFile::Backup;
    return result;
}
