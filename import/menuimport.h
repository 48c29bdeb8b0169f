#pragma once
// The import as a menu sees it: where its page lies, which pages its generation
// writes, and the options for a site folder that follow from that.
#include <string>

#include "import/siteimport.h"

namespace navforge {
class TovHTML;
}

namespace navforge::import {

// The absolute path of the menu's main page: Filename, a relative one taken against
// the folder of the menu file (menuFile may be empty for an unsaved menu: then the
// current folder); "" when the menu names no page yet.
std::string MenuPagePath(const TovHTML& doc, const std::string& menuFile);

// True when the menu's template set writes a page per main entry with sub-entries;
// true as well when the set cannot be read, so no page that might be written over is
// ever imported.
bool WritesSubmenuPages(const TovHTML& doc);

// The import options for siteFolder and the menu doc saved as menuFile: links from
// its main page's folder (siteFolder/navigation.htm for a menu without one), and
// every page its generation writes left out.
ImportOptions OptionsForMenu(const TovHTML& doc, const std::string& menuFile, const std::string& siteFolder);

// Whether the menu's set writes each entry's target ("$LinkTarget$" in an entry
// fragment), as a set for a site of frames does; false when the set cannot be read.
bool SetUsesTargets(const TovHTML& doc);

struct TargetSuggestion {
  std::string Target;     // Windows-1252
  std::string FramePage;  // the site page whose frames gave it; "" when taken from the menu
};

// The frame new entries open in: for a set that writes targets, the frame beside the
// menu in a page of the proposal that loads options.MenuPage (see contentframe.h); else,
// and without such a page, the target most entries of the menu use.
TargetSuggestion SuggestTarget(const TovHTML& doc, const ImportOptions& options, const ImportProposal& proposal);

}  // namespace navforge::import
