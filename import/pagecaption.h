#pragma once
// The caption a page proposes for itself: its <title>, else its first <h1>, with
// entities decoded and white space collapsed, converted to Windows-1252.
#include <string>
#include <string_view>

namespace navforge::import {

struct PageCaption {
  std::string Caption;       // Windows-1252; empty when the page has neither title nor h1
  bool Unmappable = false;   // Caption holds "?" for characters Windows-1252 lacks
  std::string EncodingNote;  // a German note when the page's encoding had to be guessed
};

// bytes: the whole page file. The encoding comes from a BOM, else a <meta charset> or
// http-equiv Content-Type, else UTF-8 when the bytes are valid UTF-8, else Windows-1252.
PageCaption ReadPageCaption(std::string_view bytes);

// Text as it is to read in a page: "&", "<", ">" and '"' written as entities (captions
// are HTML, a page's title is text).
std::string HtmlText(std::string_view text);
// The text HtmlText was given: the four entities it writes read back, nothing else.
std::string PlainText(std::string_view html);

// Runs of ASCII white space (and other control characters) become one blank; none
// at either end.
std::string CollapseWhiteSpace(std::string_view text);

}  // namespace navforge::import
