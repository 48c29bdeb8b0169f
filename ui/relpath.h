#pragma once
// The path of a file as seen from a base folder, for links and background images
// that should still work when the menu folder is moved as a whole.
#include <string>

namespace navforge {

// Both "\" and "/" separate folders; the result uses "\" (callers turn it into "/").
// The file path comes back unchanged when the two lie on different drives or shares,
// or when only one of them starts at a root: no relative path joins them then.
std::string MakeRelativePath(const std::string& baseFolder, const std::string& filePath);

}  // namespace navforge
