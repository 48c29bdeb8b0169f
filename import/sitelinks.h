#pragma once
// Links between a menu page and the pages of its site, all Windows-1252 texts as
// they stand in the menu; converted to file-system names only at the system call.
#include <optional>
#include <string>
#include <string_view>

namespace navforge::import {

// The absolute form of a path: relative paths are taken against the current folder,
// "\" counts as "/", "." and ".." are resolved by their text (links are followed by
// the browser the same way); no trailing "/" (except for the root "/").
std::string AbsolutePath(std::string_view path);

// The link from the folder fromFolder to the file toFile (both absolute), with "/"
// between the parts and "../" where needed. "%", "#" and "?" in names are written as
// "%25", "%23" and "%3F", which a browser would otherwise read as URL syntax; every
// other character, blanks included, stays as it is.
std::string RelativeLink(std::string_view fromFolder, std::string_view toFile);

// Whether the absolute path lies below the absolute folder (not the folder itself).
bool IsBelowFolder(std::string_view path, std::string_view folder);

// The absolute path a link of a page in pageFolder names, by the rule of
// core/locallink.h (a folder stands for its index page); nothing for links that name
// no local file by a relative path.
std::optional<std::string> LocalLinkTarget(std::string_view link, std::string_view pageFolder);

// True when link is a local link whose target is neither a file nor a folder: the
// page it names no longer exists.
bool LinkNamesMissingPage(std::string_view link, std::string_view pageFolder);

}  // namespace navforge::import
