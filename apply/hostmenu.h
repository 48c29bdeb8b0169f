#pragma once
// The menu as it stands inside a page of the site: the set's page rendered for that
// page (entries with their own links, the page's entry current, its group open), cut
// to the part between the markers, its URLs rebased for the page's folder, in the
// page's encoding and line breaks. Every part of the menu but the current group is the
// same on every page of a folder, so it is made once per folder: a site of thousands
// of pages costs little more than copying its bytes.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "apply/hostencoding.h"
#include "apply/urlrebase.h"
#include "core/entryrenderer.h"
#include "core/menudocument.h"
#include "core/pagefiller.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge::apply {

// How the pages of one folder read the menu.
struct HostForm {
  std::string Folder;  // the pages' folder (file-system name)
  UrlRebase Rebase;
  HostEncoding Encoding = HostEncoding::Utf8;
  bool LineFeeds = false;  // the pages break lines with LF alone
  std::string Key() const;
};

class HostMenu {
public:
  // doc and set must outlive the menu; set must be include-ready.
  HostMenu(const TovHTML& doc, const TTemplateSet& set);
  HostMenu(const HostMenu&) = delete;
  HostMenu& operator=(const HostMenu&) = delete;

  // Appends to text: the text between the markers for a page of that form whose entry
  // is current (-1: none). False when the filled page
  // does not hold the markers once each (a value holding one). Throws what a page of
  // the generation would throw (a page grown too large).
  bool For(int current, const HostForm& form, std::string& text);

private:
  using Part = PageFiller::Part;
  // A part as it stands in the pages of the current form, and whether it holds a marker.
  struct Segment {
    std::string Text;
    bool Marked = false;  // holds either marker
  };
  int GroupOf(int index) const;
  const Part& Cached(std::vector<std::optional<Part>>& cache, int active, int ordinal, int entry);
  std::vector<const Part*> Parts(int current, std::optional<Part>& currentPart);
  using Segments = std::unordered_map<const Part*, Segment>;
  static Segment MakeSegment(const Part& part, bool first, const HostForm& form, bool utf8);
  const Segment& CachedSegment(Segments& cache, const Part& part, bool first, const HostForm& form) const;
  // The whole page filled and then converted: where the parts cannot be taken alone.
  bool Whole(const std::vector<const Part*>& parts, const HostForm& form, std::string& text) const;

  const TovHTML& doc_;
  const TTemplateSet& set_;
  PagePlan plan_;
  HostPage host_;
  EntryRenderer renderer_;
  PageFiller filler_;
  Part header_, footer_;
  std::vector<std::optional<Part>> plain_, active_;  // per entry, with nothing current
  // Per form; a site's folders come one after the other, so a few forms are kept.
  std::unordered_map<std::string, Segments> forms_;
};

}  // namespace navforge::apply
