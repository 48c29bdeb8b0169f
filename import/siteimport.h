#pragma once
// Proposes menu entries for a folder of pages: top-level pages become main entries,
// each sub-folder a main entry with its pages as sub-entries, and each folder inside it
// a sub-entry with its pages one level below, down to the deepest level (kMaxLevel):
// the pages of folders below that stand there, too.
#include <string>
#include <vector>

namespace navforge::import {

struct ProposedEntry {
  std::string Caption;      // Windows-1252
  std::string Link;         // relative to the menu page's folder, as it stands in the page
  bool IsSubItem = false;
  bool Unmappable = false;  // Caption shows "?" for characters Windows-1252 lacks
  std::string Page;         // the page's absolute path
  std::string Folder;       // the absolute path of the top-level folder it lies in; "" at the top
  int Depth = 1;            // of a sub-entry, as TMTItem::Depth
};

// The entry's level in the menu (0 for a main entry), as LevelOf gives an entry's.
inline int LevelOf(const ProposedEntry& e) { return e.IsSubItem ? e.Depth : 0; }

// The level of each entry when only those kept stay: one level higher for each entry
// above it that is left out.
std::vector<int> KeptLevels(const std::vector<ProposedEntry>& entries, const std::vector<bool>& kept);

struct ImportWarning {
  std::string Page;  // the path from the site folder
  std::string Text;  // German
};

struct ImportOptions {
  std::string SiteFolder;
  // The menu's main page: links start from its folder; it is never imported.
  std::string MenuPage;
  // The sub-menu page extension setting (see GeneratedPages) and whether the template
  // set writes sub-menu pages: the pages the proposed menu would write are left out.
  std::string SubmenuFileExt;
  bool WritesSubmenuPages = true;
  // Folders of this name (any letter case) hold template sets, not pages.
  std::string TemplateFolderName = "Templates";
  // More absolute paths never to import (the pages an existing menu writes).
  std::vector<std::string> SkippedPages;
};

struct ImportProposal {
  std::vector<ProposedEntry> Entries;  // in menu order
  std::vector<ImportWarning> Warnings;  // ordered by page
  std::vector<std::string> Notes;       // German, about the whole import (captions shortened)
};

// Walks the site folder; pages are files ending in .htm, .html, .php or .shtml (any
// letter case). A missing or unreadable site folder raises ENavforgeError;
// an unreadable page or sub-folder, or a name Windows-1252 cannot spell, becomes a
// warning.
ImportProposal ProposeMenu(const ImportOptions& options);

}  // namespace navforge::import
