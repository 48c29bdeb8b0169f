#pragma once
// Paths inside the program are Windows-1252 texts like every other text (they are
// stored in settings files and built from captions); the file system here names files
// in UTF-8. These two convert at the system call, so a sub-menu page for "Über uns"
// is the file a browser finds for the link "Über uns.htm" in a Windows-1252 page.
#include <string>
#include <string_view>

namespace navforge {

// The file-system name of a Windows-1252 path.
std::string ToFsName(std::string_view path);
// The Windows-1252 path of a file-system name. A name that is not UTF-8, or holds a
// character the code page lacks, is returned unchanged.
std::string FromFsName(std::string_view name);

}  // namespace navforge
