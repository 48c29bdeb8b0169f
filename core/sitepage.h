#pragma once
// The pages of a site the menu is set into: which files they are, and how one is read.
// Setting the menu in and the check both ask here.
#include <string>
#include <string_view>

namespace navforge {

// A ".htm", ".html", ".shtml", ".xhtml" or ".php" file name (any letter case).
bool IsSitePageName(std::string_view name);

// The bytes of the site page at path (a file-system name), read whole. Throws
// ENavforgeError when it cannot be opened, is no plain file (a pipe is opened without
// waiting for a writer) or is larger than 64 MB: far larger than any hand-made page,
// and reading it could take all memory.
std::string ReadSitePage(const std::string& path);

}  // namespace navforge
