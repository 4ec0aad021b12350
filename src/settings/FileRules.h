// Rules of the program's file operations that need no system: the form of a path the system
// takes at any length, and how a save that failed half-way is mended.
#pragma once

#include <string>

// The form of a full path that lifts the usual limit of 260 characters: "\\?\" before a drive
// letter, "\\?\UNC\" in place of the "\\" of a network share. A path in that form, or a device
// path ("\\.\"), is kept as it is.
std::wstring LongPathForm(const std::wstring& full);
// The path as the user knows it: the long form taken off again.
std::wstring UsualPathForm(const std::wstring& path);

// A save writes the new bytes to a fresh file beside the target and has the system replace the
// target with it, which moves the old file to a backup name beside it on the way. When that
// fails after the old file has left its place (the system's errors 1176 and 1177), removing the
// fresh file would lose both: the save is mended instead, and the user told where each file is.
enum class SaveFile { None, Target, Fresh, Backup };

// The system's side of the mending.
class ISaveFiles {
public:
    virtual ~ISaveFiles() = default;
    virtual bool Exists(SaveFile file) = 0;
    // Renames the fresh file or the backup to the target's name; false when the system refused.
    virtual bool MoveToTarget(SaveFile file) = 0;
    virtual void Remove(SaveFile file) = 0;
};

// Where a save left the new bytes and the old file (None: nowhere, or there was no old file).
// The system's reason when the new bytes are not in place, and the full paths of the files
// beside the target, as the user knows them.
struct SaveOutcome {
    SaveFile newAt = SaveFile::Target;
    SaveFile oldAt = SaveFile::None;
    std::wstring failure;
    std::wstring freshPath;
    std::wstring backupPath;

    // A save that moved nothing: the new bytes are dropped, the old file is as it was.
    static SaveOutcome Unchanged(std::wstring failure, bool hadOld = true);
};

// Ends a save once the fresh file is whole and the system's replace (for a new file, its rename)
// gave `error` (0: the target holds the new bytes); `hadOld` tells whether there was a file. The
// fresh file is removed only while the old file is in its place; otherwise the fresh file goes
// there, or failing that the old file goes back. The backup is removed once the new bytes are in
// place.
SaveOutcome FinishSave(unsigned long error, bool hadOld, ISaveFiles& files);
