#include "locations.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "folders.h"
#include "paths.h"
#include "strutil.h"

namespace navforge {
namespace {

constexpr const char* kVariablesName = "navforge.nfv";

// $name when it is an absolute path (the XDG rule ignores relative ones), else
// home + fallback; "" when no home is known either.
std::string XdgFolder(const char* name, const char* fallback) {
  const char* env = std::getenv(name);
  if (env && env[0] == '/') return AddTrailingBackslash(env) + "navforge/";
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* pw = ::getpwuid(::getuid());
    home = pw ? pw->pw_dir : nullptr;
  }
  if (!home || !*home) return std::string();
  return AddTrailingBackslash(home) + fallback + "navforge/";
}

bool WritableFolder(const std::string& folder) { return !folder.empty() && ::access(folder.c_str(), W_OK) == 0; }

}  // namespace

std::string UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config/"); }
std::string UserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share/"); }

TLocations LocationsFor(const std::string& programFolder) {
  TLocations l;
  const std::string beside = programFolder + kVariablesName;
  const std::string config = UserConfigFolder();
  if (WritableFolder(programFolder) || config.empty()) {
    l.VariablesFile = beside;
  } else {
    l.VariablesFile = config + kVariablesName;
    l.ShippedVariables = beside;
  }
  l.TemplateRoot = FindChildPath(programFolder, "Templates");
  const std::string data = UserDataFolder();
  if (!data.empty()) l.UserTemplateRoot = data + "Templates";
  return l;
}

TLocations DefaultLocations() { return LocationsFor(ProgramFolder()); }

void CreateUserFolderFor(const std::string& file) {
  const std::string config = UserConfigFolder();
  const std::string folder = ExtractFilePath(file);
  if (config.empty() || folder.compare(0, config.size(), config) != 0) return;
  // Every missing component from the first one up; a failure shows when the file is written.
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
    ::mkdir(folder.substr(0, slash).c_str(), 0777);
}

std::vector<std::string> ListTemplateSets(const std::string& root, const std::string& userRoot) {
  std::vector<std::string> shipped, own, names;
  ListDirectory(FindFolderCaseless(root), shipped, true);
  if (!userRoot.empty()) ListDirectory(FindFolderCaseless(userRoot), own, true);
  for (const std::string& name : shipped) {
    bool replaced = false;
    for (const std::string& mine : own) replaced = replaced || SameTextAscii(name, mine);
    if (!replaced) names.push_back(name);
  }
  names.insert(names.end(), own.begin(), own.end());
  return names;
}

std::string FindTemplateSet(const std::string& root, const std::string& userRoot, const std::string& name) {
  if (!userRoot.empty()) {
    const std::string mine = FindChildPath(FindFolderCaseless(userRoot), name);
    if (DirectoryExists(mine)) return mine;
  }
  return FindChildPath(FindFolderCaseless(root), name);
}

}  // namespace navforge
