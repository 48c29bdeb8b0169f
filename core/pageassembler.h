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
  // Doc, Set and Plan must outlive the assembler.
  PageAssembler(const TovHTML& Doc, const TTemplateSet& Set, const PagePlan& Plan);

  // The bytes of the page FileName with Active, walking Count entries (the plan's Count
  // for every page a generation writes).
  std::string Page(const std::string& FileName, int Active, int Count);
  // The same page's parts joined, with only the page-independent placeholders filled:
  // what PageFiller::WholePage makes the page of.
  std::string JoinedPage(int Active, int Count);

  const EntryRenderer& Renderer() const { return renderer_; }
  const PageFiller& Filler() const { return filler_; }
  // How many pages were made from ready parts.
  std::size_t PagesFromParts() const { return pagesFromParts_; }

private:
  using Part = PageFiller::Part;
  const Part& MainItem(int Active, int Ordinal, int EntryIndex, int Count);
  std::vector<const Part*> Parts(int Active, int Count);

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
