#pragma once
// The pages a menu's generation writes, which an import never takes for pages of the
// site.
#include <string>
#include <vector>

#include "persist/menuitems.h"

namespace navforge::import {

// The absolute paths of the main page mainPage (absolute) and, when submenuPages, of
// the page of every main entry with sub-entries, named as generation names them (the
// entry's identifier and the sub-menu extension made of fileext or mainPage's own).
std::vector<std::string> GeneratedPages(const TMenutree& items, const std::string& mainPage,
                                        const std::string& fileext, bool submenuPages);

}  // namespace navforge::import
