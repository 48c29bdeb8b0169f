#pragma once
// A template set as a value: "template.ini" and the seven fragments of one set folder.
// Reading it shows no message; the window's generate command shows what it returns.
#include <optional>
#include <string>

namespace navforge {

struct TTemplateSet {
  bool AllInOne = false;
  std::string Header, Footer, Menupoint, ActiveMenupoint, SubmenuPoint, BetweenMenupoints, BetweenSubmenuPoints;
  bool Utf8 = false;   // a UTF-8 set (see ReadTemplateSetFiles)
  // Its fragments mark the part of a page that another page can take in (see
  // menumarkers.h); only such sets fill "$Current$".
  bool Includable = false;
  // Levels of the menu the set nests ("levels" in section "Main", 2 to 6; Nests: the set
  // has the key). Only such a set fills "$Level$", "$Open$", "$Expanded$" and a
  // sub-entry's "$submenu$"; entries deeper than it nests show at its deepest level, and
  // in a set without the key as sub-entries of their main entry.
  int Levels = 2;
  bool Nests = false;
  // A sub-entry that has entries below it, where the set wants it other than a leaf
  // ("SubmenuGroupPoint.txt"; empty: SubmenuPoint).
  std::string SubmenuGroupPoint;
  // The trail from the top of the menu to the page, set into a site page's second pair
  // of markers ("PathHeader.txt", "PathPoint.txt", "PathCurrentPoint.txt",
  // "PathFooter.txt"; without them a plain default).
  std::string PathHeader, PathPoint, PathCurrentPoint, PathFooter;
  std::string Folder;  // the set's folder, ending with "/"
};

// The folder of the set name (a stored text) under userRoot when the user has one of
// that name, else under root (letter case of existing names need not match), ending
// with "/". Without one, message receives the text to show (Windows-1252).
std::optional<std::string> FindTemplateSetFolder(const std::string& root, const std::string& name,
                                                 std::string& message, const std::string& userRoot = "");

// Whether the set's fragments hold both marker lines (see menumarkers.h).
bool HoldsMarkers(const TTemplateSet& set);

// Reads template.ini and the fragments, in that order, into set. A set whose
// template.ini holds charset=utf-8 in section "Main" (any letter case) is a UTF-8 set:
// its fragments are UTF-8 text, every value generation fills in is converted from
// Windows-1252 to UTF-8, and its pages are UTF-8; any other value or none: Windows-1252.
// A file that exists but cannot be read throws EFOpenError; the fields read before it
// keep their new values.
void ReadTemplateSetFiles(const std::string& folder, TTemplateSet& set);

// Both of the above. Without a set: empty, and message holds the text to show.
std::optional<TTemplateSet> LoadTemplateSet(const std::string& root, const std::string& name, std::string& message,
                                            const std::string& userRoot = "");

// The fragment text of a file: lines joined with CR LF each; "" when there is no file.
// Utf8: the set is a UTF-8 set, and a leading byte order mark is dropped.
std::string ReadFragmentFile(const std::string& path, bool utf8 = false);

}  // namespace navforge
