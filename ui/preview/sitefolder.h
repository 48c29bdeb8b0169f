#pragma once
// Where the preview finds the rest of the site: the output file's folder on disk, and
// the files in it that a preview page may load. Nothing outside that folder is served.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace navforge::preview {

// The folder generation writes the pages of outputFile (a stored text) to: a relative
// name is taken against the folder of menuFile (a file-system name), or against the
// current folder for a menu never saved.
std::filesystem::path OutputFolder(const std::string& outputFile, const std::string& menuFile);

// Whether the files of folder may be served: not the root, not the user's home folder
// itself and no folder directly below the root (/usr, /etc, /var, /home ...), where a
// page could read what is no part of any site.
bool IsServableSiteFolder(const std::filesystem::path& folder, const std::filesystem::path& home);

// The file a request for urlPath (percent-decoded UTF-8, "/" separated, as the engine
// asks for it) names under root; empty when it would leave root (by "..", a link or
// an absolute part) or is not a regular file.
std::optional<std::filesystem::path> SiteFile(const std::filesystem::path& root, std::string_view urlPath);

}  // namespace navforge::preview
