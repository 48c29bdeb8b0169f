#pragma once
// Loading of and calls into the two dialog modules (extdlg/moduleapi.h).
//
// Each module file is looked for in the shared folder and then in the program's
// folder; the first folder that holds the file is used and no other is tried. Only
// absolute folders are searched, so a library is never loaded from wherever the
// current folder happens to be. A file that cannot be loaded, or lacks its entry
// point, leaves the module not loaded (and nothing is reported).
//
// The loaded modules are process-wide, like the window that uses them; one thread.
// The overloads without folders read the registry and so may raise ERegistryError
// (a common-files value of a non-text kind); nothing else here throws.
#include <cstdint>
#include <string>
#include <string_view>

namespace navforge {

struct TModuleFolders {
  std::string SharedFolder;   // empty: unknown, not searched
  std::string ProgramFolder;  // empty: unknown, not searched
};
// GetSharedFolder() and the running program's folder.
TModuleFolders DefaultModuleFolders();

// Whether the library was loaded and its entry point found. A module loaded before is
// released first.
bool LoadAboutModule();
bool LoadAboutModule(const TModuleFolders& folders);
bool LoadVersionModule();
bool LoadVersionModule(const TModuleFolders& folders);

bool AboutModuleLoaded();
bool VersionModuleLoaded();
// Full path of the loaded library file; empty when not loaded.
std::string AboutModulePath();
std::string VersionModulePath();

// Calls the about module with the arguments unchanged (texts cut at 255 bytes).
// Without it shows, through ShowMessage, the program's "LegalCopyright", CR LF CR LF
// and "Homepage: " with kHomepage.
inline constexpr const char* kHomepage = "https://www.orvane.example/navforge/";
void ShowAboutDialog(void* application, std::string_view programText, std::string_view text2,
                     std::string_view legalNotice, std::string_view text4, std::int32_t value);
// The text ShowAboutDialog shows when the about module is not loaded.
std::string AboutFallbackText();

// Calls the version-control module; does nothing when it is not loaded.
void ShowVersionControlDialog(void* application, std::string_view text1, std::string_view text2,
                              std::string_view productKey, std::string_view text4);

// Releases each module still loaded, once.
void ReleaseModules();

}  // namespace navforge
