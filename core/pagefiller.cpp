#include "core/pagefiller.h"

#include <algorithm>

#include "support/errors.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

PageFiller::PageFiller(const TovHTML& doc, const EntryRenderer& values) : values_(values) {
  // None of these placeholders holds a line break, and the parts of a page are joined
  // by line breaks, so no match can reach across two parts: filling them once per part
  // and run gives the same text as filling them in every whole page.
  fixed_ = {{"$TextColor$", ColorToHTML(doc.TextColor, true)},
            {"$BackgroundColor$", ColorToHTML(doc.BackgroundColor, true)},
            {"$LinkColor$", ColorToHTML(doc.LinkColor, true)},
            {"$ALinkColor$", ColorToHTML(doc.ALinkColor, true)},
            {"$VLinkColor$", ColorToHTML(doc.VLinkColor, true)},
            {"$HoverColor$", ColorToHTML(doc.HoverColor, true)},
            {"$FirstLetterColor$", ColorToHTML(doc.FirstLetterColor, true)},
            {"$Title$", values.Value(doc.Title)},
            {"$FontSize$", values.Value(doc.FontSize)},
            {"$Font$", values.Value(doc.Font)},
            {"$FileName$", values.Value(doc.Filename)}};
  perPage_ = {{"$SubMenuFont$", values.Value(doc.SubmenuFont)},
              {"$SubMenuFontSize$", values.Value(doc.SubmenuFontSize)},
              {"$SubMenuLeftMargin$", values.Value(doc.SubmenuLeftMargin)},
              {"$BackgroundImage$", values.Value(doc.BackgroundImage)},
              {"$hr$", values.Value(doc.hr)},
              // The parts were joined with a line break each; this takes out the empty lines.
              {"\r\n\r\n", "\r\n"}};
  variables_.reserve(doc.Variables.Vars.size());
  for (const TVarItem& v : doc.Variables.Vars)
    variables_.emplace_back(values.Value("$" + v.Name + "$"), values.Value(v.Value));

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

void PageFiller::Fill(std::string& text, const Replacements& values) {
  for (const auto& [placeholder, value] : values) ReplaceAll(text, placeholder, value, false);
}

void PageFiller::FillFixed(std::string& text) const { Fill(text, fixed_); }

PageFiller::Part PageFiller::MakePart(std::string text) const {
  Part part;
  part.Text = std::move(text);
  part.Dollars = static_cast<std::size_t>(std::count(part.Text.begin(), part.Text.end(), '$'));
  if (valuesExact_ && !ContainsTextAscii(part.Text, "$CurrentFilename$")) {
    std::string ready = part.Text;
    part.Lead = FinishPart(ready, std::string());
    part.Normalized = NormalizeOnItsOwn(ready);
    part.Ready = std::move(ready);
  }
  return part;
}

bool PageFiller::NormalizeOnItsOwn(std::string& text) {
  if (text.find('\0') != std::string::npos) return false;
  text = NormalizeLines(text);
  return true;
}

bool PageFiller::FinishPart(std::string& text, const std::string& currentFilename) const {
  ReplaceAll(text, "$CurrentFilename$", values_.Value(currentFilename), false);
  Fill(text, perPage_);
  const bool lead = text.starts_with("\r\n");
  Fill(text, variables_);
  return lead;
}

bool PageFiller::PartsExact(const std::vector<const Part*>& parts, const std::string& currentFilename) const {
  const std::string current = values_.Value(currentFilename);
  if (!valuesExact_ || current.find('$') != std::string::npos) return false;
  std::size_t dollars = 0;
  for (const Part* p : parts) dollars += p->Dollars;
  const std::size_t longest = std::max(longestValue_, current.size());
  return longest == 0 || dollars <= kReplaceAllWorkLimit / longest;
}

std::size_t PageFiller::SizeLimit(std::size_t assembled) {
  return kMaxPageGrowthFactor * assembled + kMaxPageGrowthBase;
}

void PageFiller::FillWithin(std::string& text, const Replacements& values, std::size_t limit,
                            const std::string& page) {
  for (const auto& [placeholder, value] : values) {
    // A chain of variables each holding the next twice doubles the page per variable:
    // the growth a replacement would bring is worked out before it is made.
    if (value.size() > placeholder.size()) {
      const std::size_t room = limit - std::min(limit, text.size());
      if (CountTextAscii(text, placeholder) > room / (value.size() - placeholder.size()))
        throw EPageTooLarge(page, limit);
    }
    ReplaceAll(text, placeholder, value, false);
    if (text.size() > limit) throw EPageTooLarge(page, limit);
  }
}

std::string PageFiller::WholePage(std::string joined, const std::string& currentFilename) const {
  const std::size_t limit = SizeLimit(joined.size());
  FillWithin(joined, {{"$CurrentFilename$", values_.Value(currentFilename)}}, limit, currentFilename);
  FillWithin(joined, perPage_, limit, currentFilename);
  FillWithin(joined, variables_, limit, currentFilename);
  return NormalizeLines(joined);
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
void PageFiller::FromParts(const std::vector<const Part*>& parts, const std::string& currentFilename,
                           std::string& page) const {
  std::size_t size = 0, assembled = 0;
  for (const Part* p : parts) {
    size += p->Ready ? p->Ready->size() : p->Text.size();
    assembled += p->Text.size();
  }
  page.clear();
  page.reserve(size);
  std::string finished;
  bool normalized = true;
  for (const Part* p : parts) {
    const std::string* text = &finished;
    bool lead = p->Lead;
    if (p->Ready) {
      text = &*p->Ready;
      normalized = normalized && p->Normalized;
    } else {
      finished = p->Text;
      lead = FinishPart(finished, currentFilename);
      normalized = NormalizeOnItsOwn(finished) && normalized;
    }
    page.append(*text, !page.empty() && lead ? 2 : 0);
  }
  // No value here holds "$", so nothing grows without bound; the page is held to the
  // same limit as a page filled whole all the same.
  if (const std::size_t limit = SizeLimit(assembled); page.size() > limit) throw EPageTooLarge(currentFilename, limit);
  if (!normalized) page = NormalizeLines(page);
}

std::string PageFiller::FromParts(const std::vector<const Part*>& parts, const std::string& currentFilename) const {
  std::string page;
  FromParts(parts, currentFilename, page);
  return page;
}

}  // namespace navforge
