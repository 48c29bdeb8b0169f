#pragma once
// Folder routines: trailing separators, listing sub-folders, folder tests, and the
// name lookup that lets template sets made on a case-insensitive file system work.
#include <string>
#include <vector>

namespace navforge {

// Path with a trailing "/": the empty text stays empty, a path that already ends in
// "/" or "\" is returned as it is.
std::string AddTrailingBackslash(const std::string& path);

// Appends the sub-folders of folder to list (not emptied first), in the order the
// file system returns them: bare names when namesOnly, else folder with a trailing
// "/" followed by the name. Names beginning with "." count as hidden and are passed
// over, and so is everything that is not a folder. A symbolic link to a folder counts
// as a folder, as DirectoryExists follows links too, so the list of sets and the
// loader always agree. A missing folder appends nothing.
void ListDirectory(const std::string& folder, std::vector<std::string>& list, bool namesOnly);

// True when path names a folder (following symbolic links).
bool DirectoryExists(const std::string& path);

// The path of the child name of folder: folder/name when something of exactly that
// name exists; otherwise the child whose name equals name when A-Z and a-z are taken
// as the same (the smallest such name in byte order when there are several); when
// nothing matches, folder/name, so callers report the name as asked for.
std::string FindChildPath(const std::string& folder, const std::string& name);

// A folder path whose last component may differ in letter case from the one on disk:
// the path itself when it is a folder, else the same path with its last component
// looked up by FindChildPath in its parent.
std::string FindFolderCaseless(const std::string& path);

}  // namespace navforge
