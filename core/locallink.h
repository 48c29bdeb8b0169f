#pragma once
// Which links of a menu point at files beside its pages, and which file that is: the
// one rule the check, the import, setting the menu in and the preview follow, as a
// browser and a web server read a link.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "persist/vars.h"

namespace navforge {

// The link as it stands in a generated page: the variables are filled into the whole
// page, links included ("$Basis$seite.htm").
std::string LinkWithVariables(const std::string& link, const TParseList& variables);

// The file a link names, relative to the page's folder, as a file-system name: blanks
// and control characters at both ends dropped, tabs and line breaks inside dropped,
// "\" read as "/", "?..." and "#..." cut off, the rest percent-decoded, and the
// Windows-1252 characters of the link taken as the UTF-8 bytes a browser asks for.
// Empty when the link is not local: empty, "#...", a URL with a scheme ("http:",
// "mailto:", "tel:", "javascript:", a drive "C:" ...), "//host/...", or a path from the
// site's root ("/..."), which only the web server can resolve.
std::optional<std::string> LocalLinkFile(std::string_view link);

// The pages a web server answers a link to a folder with, in the order it looks.
inline constexpr std::array<std::string_view, 5> kIndexPageNames = {"index.html", "index.htm", "index.shtml",
                                                                    "index.php", "index.xhtml"};

// The index page of folder (a file-system name), as folder + "/" + name: the first of
// kIndexPageNames that is a file there, in exactly that spelling, as the server asks.
std::optional<std::string> IndexPageIn(const std::string& folder);

// The absolute file (file-system name, "." and ".." resolved by their text as the
// browser does, no trailing "/") that link names from a page in pageFolder (absolute,
// file-system name); a folder stands for its index page when it has one. Empty for a
// link that is not local (see LocalLinkFile).
std::optional<std::string> LocalLinkPath(std::string_view link, std::string_view pageFolder);

}  // namespace navforge
