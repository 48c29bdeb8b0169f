#pragma once
// A site whose menu stands in a frame shows its pages in another frame beside it: the
// menu's links must name that frame, or each page replaces the menu.
#include <optional>
#include <string>
#include <vector>

namespace navforge::import {

struct ContentFrame {
  std::string Name;  // the frame's name (Windows-1252)
  std::string Page;  // the absolute path of the page that holds both frames
};

// The first of pages (absolute paths, Windows-1252) that loads menuPage (absolute) into
// a <frame> or <iframe>, and there the first other frame that has a name. Which file a
// frame's src names follows core/locallink.h. Pages that cannot be read are passed by.
std::optional<ContentFrame> FindContentFrame(const std::vector<std::string>& pages, const std::string& menuPage);

}  // namespace navforge::import
