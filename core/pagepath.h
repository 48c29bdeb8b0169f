#pragma once
// Where a sub-menu page may be written: in the main page's folder and nowhere else. Its
// name is made of an entry's identifier and the sub-menu extension, both user text, so a
// menu from someone else could otherwise name any file the user may write.
#include <string_view>

namespace navforge {

// True when Name (identifier + extension) names a file directly inside the main page's
// folder: no "/" or "\" (so neither a sub-folder, a parent nor an absolute path), not
// "..", and no zero byte, which the system would take as the name's end. (An empty name
// or "." names the folder itself, which no page can replace.)
bool IsPageNameInFolder(std::string_view Name);

}  // namespace navforge
