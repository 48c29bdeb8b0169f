#include "ui/preview/sitefolder.h"

#include <algorithm>
#include <system_error>

#include "core/pagefiles.h"
#include "support/paths.h"

namespace navforge::preview {

namespace fs = std::filesystem;

fs::path OutputFolder(const std::string& outputFile, const std::string& menuFile) {
  std::error_code ec;
  fs::path p = fs::absolute(PageFile(ExtractFilePath(menuFile), outputFile), ec).parent_path();
  p = p.lexically_normal();
  if (!p.has_filename() && p.has_parent_path()) p = p.parent_path();  // no trailing "/"
  fs::path canonical = fs::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : canonical;
}

std::optional<fs::path> SiteFile(const fs::path& root, std::string_view urlPath) {
  std::error_code ec;
  const fs::path base = fs::canonical(root, ec);
  if (ec) return std::nullopt;
  fs::path relative;
  for (const fs::path& part : fs::path(std::string(urlPath)).relative_path()) {
    const std::string name = part.string();
    if (name == "..") return std::nullopt;
    if (name.empty() || name == ".") continue;
    relative /= part;
  }
  if (relative.empty()) return std::nullopt;
  // Links are followed: the file they reach must still lie inside the folder.
  const fs::path file = fs::canonical(base / relative, ec);
  if (ec || !fs::is_regular_file(file, ec)) return std::nullopt;
  const auto [end, unused] = std::mismatch(base.begin(), base.end(), file.begin(), file.end());
  if (end != base.end()) return std::nullopt;
  return file;
}

bool IsServableSiteFolder(const std::filesystem::path& folder, const std::filesystem::path& home) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::weakly_canonical(folder, ec);
  if (ec || real.empty() || real == real.root_path() || real.parent_path() == real.root_path()) return false;
  const std::filesystem::path realHome = home.empty() ? home : std::filesystem::weakly_canonical(home, ec);
  return ec || realHome.empty() || real != realHome;
}

}  // namespace navforge::preview
