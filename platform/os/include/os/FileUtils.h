#pragma once
// Files and folders: existence, creation, removal, copying, time stamps,
// folder listings and the current folder. File names are UTF-8 on disk.

#include "rtl/Types.h"

#include <memory>

bool FileExists(const String& fileName); // an existing file, not a folder
bool DirectoryExists(const String& directory);
// Creates the folder with all missing parents; false for an empty name or
// when a folder cannot be created.
bool ForceDirectories(const String& directory);
bool CreateDir(const String& directory); // one level
bool RemoveDir(const String& directory); // an empty folder
bool DeleteFile(const String& fileName);
// Refuses to replace an existing file.
bool RenameFile(const String& oldName, const String& newName);
// Copies contents, permissions and the time of last change.
bool CopyFile(const String& existingFileName, const String& newFileName, bool failIfExists);

// Removes the folder and everything in it. Symbolic links inside are removed
// themselves, never followed. False when the folder does not exist; entries
// that cannot be removed stay.
bool DeleteDirectory(const String& directory);

String GetCurrentDir();
bool SetCurrentDir(const String& directory);

// Time of last change as a packed date and time (local time: seconds / 2 in
// bits 0-4, minutes 5-10, hours 11-15, day 16-20, month 21-24, years since
// 1980 25-31); -1 when the file does not exist.
Integer FileAge(const String& fileName);
bool FileAge(const String& fileName, TDateTime& fileDateTime);
TDateTime FileDateToDateTime(Integer fileDate);

// Attributes of folder entries.
inline constexpr Integer faReadOnly = 0x01;
inline constexpr Integer faHidden = 0x02; // names starting with '.'
inline constexpr Integer faSysFile = 0x04;
inline constexpr Integer faVolumeID = 0x08;
inline constexpr Integer faDirectory = 0x10;
inline constexpr Integer faArchive = 0x20;
inline constexpr Integer faSymLink = 0x400;
inline constexpr Integer faAnyFile = 0x1FF;

namespace os::detail {
struct TFindState;
}

struct TSearchRec {
    Integer Time = 0; // packed as FileAge
    Int64 Size = 0;
    Integer Attr = 0;
    String Name;
    Integer ExcludeAttr = 0;
    std::shared_ptr<os::detail::TFindState> FindHandle;
};

// Lists the entries of a folder matching the pattern's name part ("*" and
// "?"; "*.*" matches every name). Entries with hidden, system or folder
// attributes are listed only when those attributes are asked for. Answers 0
// and fills the record for each entry found; non-zero when there is none.
Integer FindFirst(const String& path, Integer attr, TSearchRec& searchRec);
Integer FindNext(TSearchRec& searchRec);
void FindClose(TSearchRec& searchRec);
