#pragma once
// Where the program keeps what belongs to no menu: the variables file and the template
// sets. A copy the user can write to (a build folder, a portable copy) keeps both
// beside the program; an installed copy in a folder the user cannot write to keeps the
// user's files in the XDG folders and reads the shipped ones beside the program.
// Every path here is a file-system name.
#include <string>
#include <vector>

namespace navforge {

struct TLocations {
  std::string VariablesFile;       // read and written
  std::string ShippedVariables;    // read while VariablesFile does not exist yet; "" none
  std::string TemplateRoot;        // the shipped sets
  std::string UserTemplateRoot;    // the user's own sets; "" none
};

// The places for a program whose folder is programFolder (with a trailing "/"):
// "navforge.nfv" beside it when that folder is writable, otherwise
// $XDG_CONFIG_HOME/navforge/navforge.nfv (default ~/.config) with the copy beside the
// program as the shipped default; "Templates" beside it in any letter case, then
// $XDG_DATA_HOME/navforge/Templates (default ~/.local/share).
TLocations LocationsFor(const std::string& programFolder);
// LocationsFor the running program's folder.
TLocations DefaultLocations();

// The user's folders for navforge, with a trailing "/"; "" when no home is known.
std::string UserConfigFolder();
std::string UserDataFolder();

// Creates the folder of file (and its parents) when it lies in the user's config
// folder, where the first save finds none yet. Other folders are the user's to make.
void CreateUserFolderFor(const std::string& file);

// The names of the template sets: the shipped ones (in the order the file system
// gives them) without those the user replaces, then the user's own. A user set
// replaces a shipped one of the same name in any letter case.
std::vector<std::string> ListTemplateSets(const std::string& root, const std::string& userRoot);
// The folder of the set name: the user's when it has one, else the shipped one (both
// found in any letter case; the shipped path when neither exists).
std::string FindTemplateSet(const std::string& root, const std::string& userRoot, const std::string& name);

}  // namespace navforge
