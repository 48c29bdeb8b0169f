#include "modules.h"

#include <dlfcn.h>

#include <utility>

#include "extdlg/moduleapi.h"
#include "support/folders.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/registry.h"
#include "support/textfile.h"
#include "support/uniquehandle.h"
#include "support/versioninfo.h"

namespace navforge {
namespace {

using UniqueLibrary = UniqueHandle<void*, nullptr, ::dlclose>;

struct TModule {
  UniqueLibrary Library;
  void* Entry = nullptr;
  std::string Path;

  void Release() { *this = TModule(); }
};

TModule aboutModule;
TModule versionModule;

// The module file in the first searched folder that holds it; empty when none does.
std::string FindModuleFile(const TModuleFolders& folders, const char* fileName) {
  for (const std::string* folder : {&folders.SharedFolder, &folders.ProgramFolder}) {
    if (folder->empty() || folder->front() != '/') continue;  // never relative to the current folder
    std::string path = AddTrailingBackslash(*folder) + fileName;
    if (FileExists(path)) return path;
  }
  return std::string();
}

bool Load(TModule& module, const TModuleFolders& folders, const char* fileName, const char* entryName) {
  module.Release();
  std::string path = FindModuleFile(folders, fileName);
  if (path.empty()) return false;
  UniqueLibrary library(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!library) return false;  // not a library, or one that cannot be loaded here
  void* entry = ::dlsym(library.Get(), entryName);
  if (!entry) return false;
  module.Library = std::move(library);
  module.Entry = entry;
  module.Path = path;
  return true;
}

}  // namespace

TModuleFolders DefaultModuleFolders() { return TModuleFolders{GetSharedFolder(), ProgramFolder()}; }

bool LoadAboutModule() { return LoadAboutModule(DefaultModuleFolders()); }
bool LoadAboutModule(const TModuleFolders& folders) {
  return Load(aboutModule, folders, kAboutModuleFile, kAboutEntryName);
}
bool LoadVersionModule() { return LoadVersionModule(DefaultModuleFolders()); }
bool LoadVersionModule(const TModuleFolders& folders) {
  return Load(versionModule, folders, kVersionModuleFile, kVersionEntryName);
}

bool AboutModuleLoaded() { return aboutModule.Entry != nullptr; }
bool VersionModuleLoaded() { return versionModule.Entry != nullptr; }
std::string AboutModulePath() { return aboutModule.Path; }
std::string VersionModulePath() { return versionModule.Path; }

std::string AboutFallbackText() {
  return GetVersionString(ProgramFile(), "LegalCopyright") + "\r\n\r\nHomepage: " + kHomepage;
}

void ShowAboutDialog(void* application, std::string_view programText, std::string_view text2,
                     std::string_view legalNotice, std::string_view text4, std::int32_t value) {
  if (!aboutModule.Entry) {
    ShowMessage(AboutFallbackText());
    return;
  }
  const TShortString a(programText), b(text2), c(legalNotice), d(text4);
  reinterpret_cast<TShowAboutDialog>(aboutModule.Entry)(application, a.data(), b.data(), c.data(), d.data(), value);
}

void ShowVersionControlDialog(void* application, std::string_view text1, std::string_view text2,
                              std::string_view productKey, std::string_view text4) {
  if (!versionModule.Entry) return;
  const TShortString a(text1), b(text2), c(productKey), d(text4);
  reinterpret_cast<TShowVerControlDialog>(versionModule.Entry)(application, a.data(), b.data(), c.data(), d.data());
}

void ReleaseModules() {
  aboutModule.Release();
  versionModule.Release();
}

}  // namespace navforge
