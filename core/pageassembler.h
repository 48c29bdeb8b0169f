#pragma once
// The pages of one generation, put together from its stages: the plan (which pages,
// the identifiers, the walk), the entries rendered once per form, and the filling of
// the page placeholders and variables. What does not change while a run goes on is
// worked out once, so a page is mostly ready parts joined. The document is only read.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/entryrenderer.h"
#include "core/menudocument.h"
#include "core/pagefiller.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge {

class PageAssembler {
public:
  // doc, set and plan must outlive the assembler.
  PageAssembler(const TovHTML& doc, const TTemplateSet& set, const PagePlan& plan);
  // The filler refers to the renderer beside it: a copy would refer to the original's.
  PageAssembler(const PageAssembler&) = delete;
  PageAssembler& operator=(const PageAssembler&) = delete;

  // The bytes of the page fileName with active, walking count entries (the plan's Count
  // for every page a generation writes).
  std::string Page(const std::string& fileName, int active, int count);
  // The same page's parts joined, with only the page-independent placeholders filled:
  // what PageFiller::WholePage makes the page of.
  std::string JoinedPage(int active, int count);

  const EntryRenderer& Renderer() const { return renderer_; }
  const PageFiller& Filler() const { return filler_; }
  // How many pages were made from ready parts.
  std::size_t PagesFromParts() const { return pagesFromParts_; }

private:
  using Part = PageFiller::Part;
  const Part& MainItem(int active, int ordinal, int entryIndex, int count);
  std::vector<const Part*> Parts(int active, int count);

  const TovHTML& doc_;
  const PagePlan& plan_;
  EntryRenderer renderer_;
  PageFiller filler_;
  Part header_, footer_;
  std::size_t pagesFromParts_ = 0;

  // Entries rendered for Count cachedCount_, as parts.
  int cachedCount_ = -1;
  std::vector<std::optional<Part>> cachePlain_, cacheActive_;
};

}  // namespace navforge
