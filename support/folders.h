#pragma once
// Folder routines: trailing separator, listing sub-folders, existence test, and
// finding a child by name on a file system that tells letter case apart.
#include <string>
#include <vector>

namespace navforge {

// The empty text stays empty; a path ending in "/" or "\" is returned as it is;
// any other path gets a "/" appended.
std::string AddTrailingBackslash(const std::string& Path);

// Appends the sub-folders of Folder to List (bare names, or Folder with a trailing
// "/" followed by the name), in the order the file system lists them. Names that
// begin with "." (hidden here) and anything that is not a folder are passed over;
// a symbolic link that leads to a folder counts as a folder, as a shortcut to a set
// would. A missing folder appends nothing.
void ListDirectory(const std::string& Folder, std::vector<std::string>& List, bool NamesOnly);

bool DirectoryExists(const std::string& Path);

// The path of the child Name of Folder (Folder ends with a separator or is empty):
// the exact name when it exists, else the first entry whose name matches it without
// regard to the case of A-Z, else Folder + Name unchanged.
std::string FindChildPath(const std::string& Folder, const std::string& Name);

}  // namespace navforge
