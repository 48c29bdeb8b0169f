#include "tempdir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace navforge::test {

TempDir::TempDir(TempIn where) {
  std::string tmpl = "/dev/shm/navforge-test-XXXXXX";
  if (where == TempIn::Default || !::mkdtemp(tmpl.data())) {
    tmpl = (std::filesystem::temp_directory_path() / "navforge-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  }
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Make read-only leftovers of permission tests removable.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write " + path);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::string();
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void MakeDir(const std::string& path) { std::filesystem::create_directories(path); }

void WriteTemplateSet(const std::string& folder, const SetFiles& files) {
  MakeDir(folder);
  for (const auto& [name, bytes] : files) WriteFile(folder + "/" + name, bytes);
}

}  // namespace navforge::test
