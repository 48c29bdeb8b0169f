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
  valuesExact_ = std::none_of(variables_.begin(), variables_.end(), [](const auto& variable) {
    return variable.first.find_first_of("\r\n") != std::string::npos;
  });
}

void PageFiller::Fill(std::string& text, const Replacements& values, std::size_t* work) {
  for (const auto& [placeholder, value] : values) ReplaceAll(text, placeholder, value, false, work);
}

void PageFiller::FillFixed(std::string& text) const { Fill(text, fixed_); }

PageFiller::Part PageFiller::FragmentPart(std::string text) const {
  FillFixed(text);
  return MakePart(std::move(text) + "\r\n");
}

PageFiller::Part PageFiller::MakePart(std::string text) const {
  Part part;
  part.Text = std::move(text);
  if (valuesExact_ && !ContainsTextAscii(part.Text, "$CurrentFilename$")) {
    std::string ready = part.Text;
    bool done = false;
    part.Lead = FinishPart(ready, std::string(), part.Work, done);
    if (done) {
      part.Normalized = NormalizeOnItsOwn(ready);
      part.Ready = std::move(ready);
    }
  }
  return part;
}

bool PageFiller::NormalizeOnItsOwn(std::string& text) {
  if (text.find('\0') != std::string::npos) return false;
  text = NormalizeLines(text);
  return true;
}

bool PageFiller::FinishPart(std::string& text, const std::string& currentFilename, std::size_t& work,
                            bool& done) const {
  const std::size_t limit = SizeLimit(text.size());
  done = false;
  bool lead = false;
  try {
    FillWithin(text, {{"$CurrentFilename$", values_.Value(currentFilename)}}, limit, currentFilename, &work);
    FillWithin(text, perPage_, limit, currentFilename, &work);
    lead = text.starts_with("\r\n");
    FillWithin(text, variables_, limit, currentFilename, &work);
  } catch (const EPageTooLarge&) {
    return lead;
  }
  done = true;
  return lead;
}

bool PageFiller::PartsExact(const std::vector<const Part*>& parts) const {
  if (!valuesExact_) return false;
  std::size_t work = 0;
  for (const Part* p : parts) work += p->Work;
  return work <= kReplaceAllWorkLimit;
}

std::size_t PageFiller::SizeLimit(std::size_t assembled) {
  return kMaxPageGrowthFactor * assembled + kMaxPageGrowthBase;
}

void PageFiller::FillWithin(std::string& text, const Replacements& values, std::size_t limit,
                            const std::string& page, std::size_t* work) {
  for (const auto& [placeholder, value] : values) {
    // A chain of variables each holding the next twice doubles the page per variable:
    // the growth a replacement would bring is worked out before it is made.
    if (value.size() > placeholder.size()) {
      const std::size_t room = limit - std::min(limit, text.size());
      if (CountTextAscii(text, placeholder) > room / (value.size() - placeholder.size()))
        throw EPageTooLarge(page, limit);
    }
    ReplaceAll(text, placeholder, value, false, work);
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
// each part gives what filling the whole gives, a "$" in a value included (a value can
// only form a placeholder with the text of its own part). The line-break rule makes
// each run of CR LF one CR LF; a part ends with one, so a part that starts with one
// after the rule loses it at the join, and the variables, filled after the rule, cannot
// change where it begins. One thing could still differ: ReplaceAll stops rescanning
// re-formed matches once their work passes a bound, counted over the whole text in one
// fill but over one part in another. The work of every fill of every part is measured;
// while it adds up to no more than kReplaceAllWorkLimit, below both bounds, neither fill
// stopped, and the parts are exact. Beyond it the page is filled whole.
// Every finished part ends with CR LF, so without a zero byte in it (which ends the
// whole page) its lines are the same on its own as in the page: each part's line
// breaks are made CR LF once, and the page is not passed over again.
bool PageFiller::FromParts(const std::vector<const Part*>& parts, const std::string& currentFilename,
                           std::string& page) const {
  std::size_t size = 0, assembled = 0, work = 0;
  for (const Part* p : parts) {
    size += p->Ready ? p->Ready->size() : p->Text.size();
    assembled += p->Text.size();
    work += p->Work;
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
      bool done = false;
      lead = FinishPart(finished, currentFilename, work, done);
      if (!done || work > kReplaceAllWorkLimit) return false;
      normalized = NormalizeOnItsOwn(finished) && normalized;
    }
    page.append(*text, !page.empty() && lead ? 2 : 0);
  }
  if (work > kReplaceAllWorkLimit) return false;
  // The page is held to the same limit as a page filled whole.
  if (const std::size_t limit = SizeLimit(assembled); page.size() > limit) throw EPageTooLarge(currentFilename, limit);
  if (!normalized) page = NormalizeLines(page);
  return true;
}

}  // namespace navforge
