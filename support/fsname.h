#pragma once
// Two kinds of paths. Paths the program only opens (the menu file and its companions,
// the variables file, the template root, command-line arguments) are file-system
// names from end to end and are never converted. Paths stored as texts in a menu's
// files and pages (the output file name and the pages derived from it, the set name,
// background image, links) are Windows-1252 like every other text, and become
// file-system names (UTF-8 here) only at the system call, so a sub-menu page for
// "Über uns" is the file a browser finds for the link "Über uns.htm".
#include <string>
#include <string_view>

namespace navforge {

// The file-system name of a stored path text.
std::string StoredPathToFs(std::string_view text);
// The stored text of a file-system name; false when the name is not UTF-8 or holds a
// character Windows-1252 cannot hold (such a path cannot be kept in a menu).
bool StoredPathFromFs(std::string_view name, std::string& text);

// A file-system name as Windows-1252 for messages: the stored text when there is
// one, otherwise the name's bytes unchanged.
std::string FromFsName(std::string_view name);

}  // namespace navforge
