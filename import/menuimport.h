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

}  // namespace navforge::import
