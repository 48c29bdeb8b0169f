#pragma once
// The menu document: the entries, the formatting values, the user variables and the
// fragments of the template set the last generation loaded.
//
// Error contract: entry operations do not check their index (callers pass the index
// of a shown line). File operations throw the ENavforgeError kinds of support/errors.h;
// the program's own checks show their message through the notifier and return.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "persist/menuitems.h"
#include "persist/settings.h"
#include "persist/vars.h"
#include "support/stringlist.h"

#include "core/runoptions.h"
#include "core/templateset.h"

namespace navforge {

class TovHTML : public TMenuFormat {
public:
  TovHTML();

  TParseList Variables;
  TMenutree Items;
  bool AllInOne = true;
  std::string Header;
  std::string Footer;
  std::string Menupoint;
  std::string ActiveMenupoint;
  std::string SubmenuPoint;
  std::string BetweenMenupoints;
  std::string BetweenSubmenuPoints;
  bool TemplateUtf8 = false;  // the loaded set's pages are UTF-8
  int TemplateLevels = 2;     // levels the loaded set nests
  bool TemplateNests = false; // and whether it says so (see TTemplateSet)
  std::string SubmenuGroupPoint;  // the loaded set's fragment for a sub-entry with entries below it

  // Where the template sets live and which variables file LoadFromFile/SaveToFile use
  // (file-system names; defaults from support/locations.h). A set in UserTemplateRoot
  // replaces a shipped one of the same name; ShippedVariables is read while
  // VariablesFile does not exist yet. Tests and navforge-cli point them elsewhere.
  std::string TemplateRoot;
  std::string UserTemplateRoot;
  std::string VariablesFile;
  std::string ShippedVariables;

  // The menu's own file (file-system name; "" for a menu never saved). A relative
  // output file name is taken against its folder (else the current folder), and
  // generation never writes a page over it, its companions or the variables file.
  std::string MenuFile;

  // Lifecycle and reset.
  void ResetFormatting();
  void ClearItems();

  // Entry operations.
  int MainItemCount() const;
  void GetItem(int index, std::string& caption, std::string& link, std::string& target) const;
  void SetItem(int index, const std::string& caption, const std::string& link, const std::string& target);
  void InsertItem(int index, const std::string& caption, const std::string& link, const std::string& target,
                  bool isSubItem);
  void DeleteItem(int index);
  void MoveItemUp(int index);
  void MoveItemDown(int index);
  void SetSubItem(int index, bool value);
  int NextMainIndex(int index) const;
  bool HasSubItems(int index) const;
  bool IsLastSubItem(int index) const;
  int LastIndex() const { return static_cast<int>(Items.size()) - 1; }
  void DumpItems(IStringList& lines) const;
  void FillItemList(IStringList& lines) const;

  // Menu file, settings file and variables file.
  static std::int32_t ReadFileVersion(const std::string& path);
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path);
  void LoadItems(const std::string& path, std::int32_t version);
  void SaveItems(const std::string& path) const;
  void LoadSettings(const std::string& basePath, std::int32_t version);
  void SaveSettings(const std::string& path) const;

  // Template sets.
  bool LoadTemplate();
  static std::string ReadFragment(const std::string& path);
  // AllInOne and the fragment fields as a set, and back.
  TTemplateSet TemplateFields() const;
  void SetTemplateFields(TTemplateSet&& set);

  // Page generation, writing files. Each call is one generation run (see
  // core/generationrun.h) over the entries' LinkIDs and the fragment fields. A refusal
  // is shown through the notifier and returned.
  RunResult Generate(const RunOptions& options = {});
  void AssignLinkIDs();
  RunResult WritePages(const RunOptions& options = {});
  void WritePage(const std::string& fileName, int active, int count);
  std::string RenderMainItem(int active, int ordinal, int entryIndex, int count) const;
  std::string RenderSubItems(int entryIndex) const;
  int LastSubItemIndex(int start) const;
  static std::pair<std::string, std::string> SplitFirstLetter(const std::string& text);
  std::string SubmenuExt() const;
};

// "#RRGGBB" (without "#" when withHash is false), or "" for clNone.
std::string ColorToHTML(std::int32_t color, bool withHash);

}  // namespace navforge
