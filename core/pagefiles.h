#pragma once
// Where generated pages land on disk, and the guard that keeps them off the menu's
// own files. Page names are stored texts (Windows-1252, as entered or derived from
// the output file name); the results are file-system names.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace navforge {

// The file of a page: a relative name is taken against baseFolder (the menu file's
// folder with its "/"; "" for the current folder), an absolute one stays.
std::string PageFile(const std::string& baseFolder, const std::string& pageName);

// The files a menu keeps: the menu file with its settings and legacy companions, and
// the variables file. Empty names are left out.
std::vector<std::string> MenuOwnFiles(const std::string& menuFile, const std::string& variablesFile);

// The index of the first of pageFiles that is one of ownFiles: the same file once
// symbolic links are followed (hard links too). Files that do not exist yet hold
// nothing to lose.
std::optional<std::size_t> FirstPageOverOwnFile(const std::vector<std::string>& pageFiles,
                                                const std::vector<std::string>& ownFiles);

// True when file exists and a page must not replace it because no menu wrote it: a
// non-empty file with no "<" or with a zero byte in its first 1,024 bytes, or a
// special file (a pipe, a device). The test looks at content, never at the name's
// extension, since any name and extension may be a page's. Folders and files that
// cannot be opened are left to the writer, which reports them as it writes.
bool IsForeignFile(const std::string& file);

}  // namespace navforge
