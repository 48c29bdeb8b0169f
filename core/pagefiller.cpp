#include "core/pagefiller.h"

#include <algorithm>

#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

PageFiller::PageFiller(const TovHTML& Doc, const EntryRenderer& Values) : values_(Values) {
  // None of these placeholders holds a line break, and the parts of a page are joined
  // by line breaks, so no match can reach across two parts: filling them once per part
  // and run gives the same text as filling them in every whole page.
  fixed_ = {{"$TextColor$", ColorToHTML(Doc.TextColor, true)},
            {"$BackgroundColor$", ColorToHTML(Doc.BackgroundColor, true)},
            {"$LinkColor$", ColorToHTML(Doc.LinkColor, true)},
            {"$ALinkColor$", ColorToHTML(Doc.ALinkColor, true)},
            {"$VLinkColor$", ColorToHTML(Doc.VLinkColor, true)},
            {"$HoverColor$", ColorToHTML(Doc.HoverColor, true)},
            {"$FirstLetterColor$", ColorToHTML(Doc.FirstLetterColor, true)},
            {"$Title$", Values.Value(Doc.Title)},
            {"$FontSize$", Values.Value(Doc.FontSize)},
            {"$Font$", Values.Value(Doc.Font)},
            {"$FileName$", Values.Value(Doc.Filename)}};
  perPage_ = {{"$SubMenuFont$", Values.Value(Doc.SubmenuFont)},
              {"$SubMenuFontSize$", Values.Value(Doc.SubmenuFontSize)},
              {"$SubMenuLeftMargin$", Values.Value(Doc.SubmenuLeftMargin)},
              {"$BackgroundImage$", Values.Value(Doc.BackgroundImage)},
              {"$hr$", Values.Value(Doc.hr)},
              // The parts were joined with a line break each; this takes out the empty lines.
              {"\r\n\r\n", "\r\n"}};
  variables_.reserve(Doc.Variables.Vars.size());
  for (const TVarItem& v : Doc.Variables.Vars)
    variables_.emplace_back(Values.Value("$" + v.Name + "$"), Values.Value(v.Value));

  // See FromParts.
  valuesExact_ = true;
  for (std::size_t i = 0; i + 1 < perPage_.size(); ++i) {
    valuesExact_ = valuesExact_ && perPage_[i].second.find('$') == std::string::npos;
    longestValue_ = std::max(longestValue_, perPage_[i].second.size());
  }
  for (const auto& [placeholder, value] : variables_) {
    valuesExact_ = valuesExact_ && placeholder.find_first_of("\r\n") == std::string::npos &&
                   value.find('$') == std::string::npos;
    longestValue_ = std::max(longestValue_, value.size());
  }
}

void PageFiller::Fill(std::string& Text, const Replacements& Values) {
  for (const auto& [placeholder, value] : Values) ReplaceAll(Text, placeholder, value, false);
}

void PageFiller::FillFixed(std::string& Text) const { Fill(Text, fixed_); }

PageFiller::Part PageFiller::MakePart(std::string Text) const {
  Part part;
  part.Text = std::move(Text);
  part.Dollars = static_cast<std::size_t>(std::count(part.Text.begin(), part.Text.end(), '$'));
  if (valuesExact_ && !ContainsTextAscii(part.Text, "$CurrentFilename$")) {
    std::string ready = part.Text;
    part.Lead = FinishPart(ready, std::string());
    part.Normalized = NormalizeOnItsOwn(ready);
    part.Ready = std::move(ready);
  }
  return part;
}

bool PageFiller::NormalizeOnItsOwn(std::string& Text) {
  if (Text.find('\0') != std::string::npos) return false;
  Text = NormalizeLines(Text);
  return true;
}

bool PageFiller::FinishPart(std::string& Text, const std::string& CurrentFilename) const {
  ReplaceAll(Text, "$CurrentFilename$", values_.Value(CurrentFilename), false);
  Fill(Text, perPage_);
  const bool lead = Text.starts_with("\r\n");
  Fill(Text, variables_);
  return lead;
}

bool PageFiller::PartsExact(const std::vector<const Part*>& Parts, const std::string& CurrentFilename) const {
  const std::string current = values_.Value(CurrentFilename);
  if (!valuesExact_ || current.find('$') != std::string::npos) return false;
  std::size_t dollars = 0;
  for (const Part* p : Parts) dollars += p->Dollars;
  const std::size_t longest = std::max(longestValue_, current.size());
  return longest == 0 || dollars <= kReplaceAllWorkLimit / longest;
}

std::string PageFiller::WholePage(std::string Joined, const std::string& CurrentFilename) const {
  ReplaceAll(Joined, "$CurrentFilename$", values_.Value(CurrentFilename), false);
  Fill(Joined, perPage_);
  Fill(Joined, variables_);
  return NormalizeLines(Joined);
}

// Every part ends with CR LF, and no placeholder from "$CurrentFilename$" on nor
// (checked) any variable's holds CR or LF, so no match can take in a join: filling
// each part gives what filling the whole gives. The line-break rule makes each run of
// CR LF one CR LF; a part ends with one, so a part that starts with one after the rule
// loses it at the join, and the variables, filled after the rule, cannot change where
// it begins. Where the whole-page fill would stop rescanning (ReplaceAll's bound on
// re-formed matches), the parts might not: so no value filled here holds "$" (checked),
// every replacement takes two "$" away and adds none, and the rescanning work of one
// fill is at most its text's length + "$" count x longest value, which PartsExact keeps
// within kReplaceAllWorkLimit beyond the text, so neither fill reaches the bound.
// Every finished part ends with CR LF, so without a zero byte in it (which ends the
// whole page) its lines are the same on its own as in the page: each part's line
// breaks are made CR LF once, and the page is not passed over again.
std::string PageFiller::FromParts(const std::vector<const Part*>& Parts, const std::string& CurrentFilename) const {
  std::size_t size = 0;
  for (const Part* p : Parts) size += p->Ready ? p->Ready->size() : p->Text.size();
  std::string page;
  page.reserve(size);
  std::string finished;
  bool normalized = true;
  for (const Part* p : Parts) {
    const std::string* text = &finished;
    bool lead = p->Lead;
    if (p->Ready) {
      text = &*p->Ready;
      normalized = normalized && p->Normalized;
    } else {
      finished = p->Text;
      lead = FinishPart(finished, CurrentFilename);
      normalized = NormalizeOnItsOwn(finished) && normalized;
    }
    page.append(*text, !page.empty() && lead ? 2 : 0);
  }
  return normalized ? page : NormalizeLines(page);
}

}  // namespace navforge
