#include "fuzzfile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace navforge::fuzz {

const std::string& Folder() {
  static const std::string folder = [] {
    std::string tmpl = "/tmp/navforge-fuzz-XXXXXX";
    if (!::mkdtemp(tmpl.data())) Fail("mkdtemp");
    static std::string removeAtExit = tmpl;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removeAtExit, ec);
    });
    return tmpl + "/";
  }();
  return folder;
}

std::string PutFile(const std::string& name, std::string_view bytes) {
  const std::string path = Folder() + name;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!f) Fail("cannot write fuzz input");
  return path;
}

void Fail(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace navforge::fuzz
