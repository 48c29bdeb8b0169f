#pragma once
// One generation run: the pages of a document with one template set and one table of
// entry identifiers, written into a page sink. What does not change while a run goes
// on (the sub-menu page extension, every entry rendered once per form, and where the
// values allow it each part of a page filled completely) is worked out once here, so a
// page is mostly ready parts joined. The document is only read.
//
// Sub-entries before the first main entry (the editor allows a sub-entry at index 0)
// are rendered as main entries of their own, each with the Menupoint fragment, its own
// link and target and no page of its own. The walks over the main entries take them
// first and then every main entry once, so nothing of the menu is lost; for a menu
// that starts with a main entry nothing changes.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ovhtml.h"
#include "core/pagesink.h"
#include "core/templateset.h"

namespace navforge {

class PageAssembler {
public:
  // LinkIDs: one identifier per entry of Doc.Items. Doc must outlive the assembler.
  PageAssembler(const TovHTML& Doc, TTemplateSet Set, std::vector<std::string> LinkIDs);

  // The identifiers generation gives the entries: the caption, or the caption with the
  // first number from 2 on that makes it unique without regard to letter case.
  static std::vector<std::string> AssignLinkIDs(const TMenutree& Items);
  // The extension of the sub-menu pages: fileext (trimmed, with a leading dot), else
  // the extension of Filename.
  static std::string SubmenuExt(const TMenuFormat& Format);

  // The number of main entries the walks visit.
  int Count() const { return count_; }
  const std::vector<std::string>& LinkIDs() const { return linkIDs_; }

  // The pages WritePages writes, in its order: each page's name (as derived from
  // Filename) and its Active value.
  std::vector<std::pair<std::string, int>> Pages() const;
  // The main page, then (one file per entry) a page per main entry with sub-entries;
  // ends with Sink.Finish().
  void WritePages(IPageSink& Sink);
  void WritePage(IPageSink& Sink, const std::string& FileName, int Active, int Count);
  std::string RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) const;
  std::string RenderSubItems(int EntryIndex) const;

  // false: every page is filled as one whole text, never from ready parts. The
  // comparisons of the two ways in the tests use it.
  bool PerPartFilling = true;
  // How many pages were made from ready parts.
  std::size_t PagesFromParts() const { return pagesFromParts_; }

private:
  using Replacements = std::vector<std::pair<std::string, std::string>>;  // placeholder, value

  // One part of a page (the header, an entry in one form, the footer) followed by its
  // joining CR LF, with page placeholders 1 to 11 filled.
  struct Part {
    std::string Text;
    std::size_t Dollars = 0;  // "$" characters in Text
    // Without "$CurrentFilename$": the part with every page placeholder and variable
    // filled, once for all pages; Lead tells whether the line-break rule left it
    // starting with CR LF. Normalized: Ready holds no zero byte and has had its line
    // breaks made CR LF already.
    std::optional<std::string> Ready;
    bool Lead = false;
    bool Normalized = false;
  };

  // Every value filled into a fragment passes here: a UTF-8 set gets it in UTF-8.
  std::string Value(std::string_view Text) const;
  int NextRenderedIndex(int Index) const;
  Part MakePart(std::string Text) const;
  // Page placeholders 12 to 19 of one part; returns whether the result starts with the
  // CR LF the line-break rule left (before the variables were filled).
  bool FinishPart(std::string& Text, const std::string& CurrentFilename) const;
  // Makes the line breaks of a finished part CR LF; false (Text unchanged) where a zero
  // byte keeps that for the whole page.
  static bool NormalizeOnItsOwn(std::string& Text);
  const Part& CachedMainItem(int Active, int Ordinal, int EntryIndex, int Count);
  std::string PageFromParts(const std::vector<const Part*>& Parts, const std::string& FileName) const;
  std::string WholePage(const std::vector<const Part*>& Parts, const std::string& FileName) const;
  static void Fill(std::string& Text, const Replacements& Values);

  const TovHTML& doc_;
  const TTemplateSet set_;
  const std::vector<std::string> linkIDs_;
  const int count_;
  const std::string submenuExt_;
  Replacements fixed_;      // page placeholders 1 to 11: the same on every page
  Replacements perPage_;    // the page placeholders after $CurrentFilename$, with the line-break rule
  Replacements variables_;  // "$Name$" of each variable and its value, in list order
  bool partsExact_ = false;       // the conditions of PageFromParts hold for the values
  std::size_t longestValue_ = 0;  // of placeholders 13 to 19
  std::vector<int> nextRendered_;  // per entry: where the walk over the main entries goes next
  Part header_, footer_;
  std::size_t pagesFromParts_ = 0;

  // Entries rendered for Count cachedCount_, as parts.
  int cachedCount_ = -1;
  std::vector<std::optional<Part>> cachePlain_, cacheActive_;
};

}  // namespace navforge
