#pragma once
// Which links of a menu point at files beside its pages, and which file that is: the
// one rule the check, the import and the preview follow, as a browser reads a link.
#include <optional>
#include <string>
#include <string_view>

#include "persist/vars.h"

namespace navforge {

// The link as it stands in a generated page: the variables are filled into the whole
// page, links included ("$Basis$seite.htm").
std::string LinkWithVariables(const std::string& link, const TParseList& variables);

// The file a link names, relative to the page's folder, as a file-system name: blanks
// and control characters at both ends dropped, "\" read as "/", "?..." and "#..." cut
// off, the rest percent-decoded, and the Windows-1252 characters of the link taken as
// the UTF-8 bytes a browser asks for. Empty when the link is not local: empty, "#...",
// a URL with a scheme ("http:", "mailto:", "tel:", "javascript:", a drive "C:" ...),
// "//host/...", or a path from the site's root ("/..."), which only the web server can
// resolve.
std::optional<std::string> LocalLinkFile(std::string_view link);

}  // namespace navforge
