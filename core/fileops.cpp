// Reading and writing a whole menu: menu file, settings file beside it, variables file.
#include "core/menudocument.h"
#include "persist/menufile.h"
#include "support/locations.h"
#include "support/paths.h"
#include "support/savelock.h"
#include "support/textfile.h"

namespace navforge {

std::int32_t TovHTML::ReadFileVersion(const std::string& path) { return navforge::ReadFileVersion(path); }

void TovHTML::LoadItems(const std::string& path, std::int32_t version) { navforge::LoadItems(Items, path, version); }

void TovHTML::SaveItems(const std::string& path) const { navforge::SaveItems(Items, path); }

void TovHTML::LoadSettings(const std::string& basePath, std::int32_t version) {
  navforge::LoadSettings(*this, basePath, version);
}

void TovHTML::SaveSettings(const std::string& path) const { navforge::SaveSettings(*this, path); }

// Appends to what the document holds; callers that want a clean load use a new document.
void TovHTML::LoadFromFile(const std::string& path) {
  const std::int32_t version = ReadFileVersion(path);
  LoadItems(path, version);
  LoadSettings(ChangeFileExt(path, ""), version);
  // Until the user's own variables file exists, the shipped default stands in for it.
  Variables.LoadFromFile(FileExists(VariablesFile) || ShippedVariables.empty() ? VariablesFile : ShippedVariables);
}

void TovHTML::SaveToFile(const std::string& path) {
  // Menu and settings of one save must not mix with those of another program's save.
  const TSaveLock lock(path);
  SaveItems(path);
  SaveSettings(ChangeFileExt(path, ".nfs"));
  CreateUserFolderFor(VariablesFile);
  Variables.SaveToFile(VariablesFile);
}

}  // namespace navforge
