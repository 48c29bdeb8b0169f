#pragma once
// What changed between two texts of the same page, when the change leaves the page's
// structure as it was: the preview then sets the new texts and attribute values into the
// live page instead of loading it anew (see pagepatch.h). Texts are UTF-8.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace navforge::preview {

// One node to change in the live page: the index-th element named tag in document
// order, and there the attribute name, or (child >= 0) its child-th child node, a text
// or a comment. Before and after are the values as the page holds them (entities
// resolved, line breaks as LF); nullopt for an attribute that is absent.
struct PageEdit {
  std::string Tag;
  int Index = 0;
  int Child = -1;
  std::string Name;
  std::optional<std::string> Before, After;
};

struct PageDiff {
  std::vector<PageEdit> Edits;
  std::map<std::string, int> TagCounts;  // elements of each edited tag in the page
};

// The edits from before to after; nullopt when the structure differs (another element,
// a script's text, a frame's address, an event handler, a character reference this
// reader does not know in a changed place) or a text over 4 MB: the page must then be
// loaded anew.
std::optional<PageDiff> DiffPages(const std::string& before, const std::string& after);

}  // namespace navforge::preview
