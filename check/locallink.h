#pragma once
// Which links of a menu point at files beside its pages, and which file that is.
#include <optional>
#include <string>
#include <string_view>

namespace navforge::check {

// The file a link names, relative to the page's folder, as a browser finds it: "\"
// read as "/", "?..." and "#..." cut off, the rest percent-decoded, and the
// Windows-1252 characters of the link taken as the UTF-8 bytes a browser asks for.
// Empty when the link is not local: empty, "#...", a URL with a scheme ("http:",
// "mailto:", "tel:", "javascript:" ...), "//host/...", or a path from the site's
// root ("/..."), which only the web server can resolve.
std::optional<std::string> LocalLinkFile(std::string_view link);

}  // namespace navforge::check
