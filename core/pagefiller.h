#pragma once
// The filling stage of a generation: the page placeholders and the variables, on a
// page made of parts (the header, each entry in one form, the footer, each followed
// by its joining CR LF).
//
// The placeholders that do not depend on the page ("$TextColor$" to "$FileName$") are
// filled into each part once per run (FillFixed). The rest ("$CurrentFilename$" to
// "$hr$", the line-break rule and the variables) go either into the whole joined page
// (WholePage, the rule as it reads) or, where the values allow it, into each part on
// its own, most of them once for all pages (FromParts): the same bytes, see the .cpp.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/entryrenderer.h"
#include "core/menudocument.h"

namespace navforge {

class PageFiller {
public:
  // One part of a page, with the page-independent placeholders filled.
  struct Part {
    std::string Text;
    std::size_t Work = 0;  // ReplaceAll's rescanning work of filling Ready
    // Without "$CurrentFilename$": the part with every page placeholder and variable
    // filled, once for all pages; Lead tells whether the line-break rule left it
    // starting with CR LF. Normalized: Ready holds no zero byte and has had its line
    // breaks made CR LF already.
    std::optional<std::string> Ready;
    bool Lead = false;
    bool Normalized = false;
  };

  // values pass through values.Value (Windows-1252, or UTF-8 for a UTF-8 set).
  PageFiller(const TovHTML& doc, const EntryRenderer& values);

  // Fills the page-independent placeholders into text.
  void FillFixed(std::string& text) const;
  // A part of text (its page-independent placeholders already filled); text must end
  // with CR LF.
  Part MakePart(std::string text) const;
  // A fragment or rendered entry as a part: its page-independent placeholders filled and
  // the CR LF that joins it to the next part added.
  Part FragmentPart(std::string text) const;
  // Whether FromParts may give the page: false where it cannot be exactly the bytes of
  // WholePage (as FromParts itself may still find for the parts filled per page).
  bool PartsExact(const std::vector<const Part*>& parts) const;
  // The page made of the parts into page (whose memory a caller making many pages
  // keeps); false, with page unspecified, where it would not be exactly WholePage's.
  bool FromParts(const std::vector<const Part*>& parts, const std::string& currentFilename, std::string& page) const;
  // How large a page assembled from that many bytes may grow by its replacements:
  // 16 times, plus 16 MiB. Beyond it the page throws EPageTooLarge.
  static std::size_t SizeLimit(std::size_t assembled);
  static constexpr std::size_t kMaxPageGrowthFactor = 16;
  static constexpr std::size_t kMaxPageGrowthBase = std::size_t{16} << 20;

  // The joined text (page-independent placeholders filled) made into the page.
  std::string WholePage(std::string joined, const std::string& currentFilename) const;

private:
  using Replacements = std::vector<std::pair<std::string, std::string>>;  // placeholder, value
  static void Fill(std::string& text, const Replacements& values, std::size_t* work = nullptr);
  // Fill, stopping with EPageTooLarge (naming page) before text would pass limit.
  static void FillWithin(std::string& text, const Replacements& values, std::size_t limit, const std::string& page,
                         std::size_t* work = nullptr);
  // "$CurrentFilename$" and the placeholders after it of one part; returns whether the
  // result starts with the CR LF the line-break rule left (before the variables). False
  // in done where the part grows past the bound of a page of its size: then only the
  // whole page can say whether it is too large.
  bool FinishPart(std::string& text, const std::string& currentFilename, std::size_t& work, bool& done) const;
  // Makes the line breaks of a finished part CR LF; false (text unchanged) where a zero
  // byte keeps that for the whole page.
  static bool NormalizeOnItsOwn(std::string& text);

  const EntryRenderer& values_;
  Replacements fixed_;      // "$TextColor$" to "$FileName$": the same on every page
  Replacements perPage_;    // "$SubMenuFont$" to "$hr$", then the line-break rule
  Replacements variables_;  // "$Name$" of each variable and its value, in list order
  bool valuesExact_ = false;  // no variable's placeholder holds a line break (see FromParts)
};

}  // namespace navforge
