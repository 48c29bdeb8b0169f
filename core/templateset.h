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
  std::string Folder;  // the set's folder, ending with "/"
};

// The folder of the set Name (a stored text) under UserRoot when the user has one of
// that name, else under Root (letter case of existing names need not match), ending
// with "/". Without one, Message receives the text to show (Windows-1252).
std::optional<std::string> FindTemplateSetFolder(const std::string& Root, const std::string& Name,
                                                 std::string& Message, const std::string& UserRoot = "");

// Reads template.ini and the fragments, in that order, into Set. A set whose
// template.ini holds charset=utf-8 in section "Main" (any letter case) is a UTF-8 set:
// its fragments are UTF-8 text, every value generation fills in is converted from
// Windows-1252 to UTF-8, and its pages are UTF-8; any other value or none: Windows-1252.
// A file that exists but cannot be read throws EFOpenError; the fields read before it
// keep their new values.
void ReadTemplateSetFiles(const std::string& Folder, TTemplateSet& Set);

// Both of the above. Without a set: empty, and Message holds the text to show.
std::optional<TTemplateSet> LoadTemplateSet(const std::string& Root, const std::string& Name, std::string& Message,
                                            const std::string& UserRoot = "");

// The fragment text of a file: lines joined with CR LF each; "" when there is no file.
// Utf8: the set is a UTF-8 set, and a leading byte order mark is dropped.
std::string ReadFragmentFile(const std::string& path, bool Utf8 = false);

}  // namespace navforge
