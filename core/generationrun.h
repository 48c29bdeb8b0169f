#pragma once
// One generation run: the plan of the pages, the guards, and the pages made into a
// sink. The generate command, generation into memory, the preview, the check and the
// import all run this one object; they differ only in the sink and in which of its
// pages they ask for.
//
// Error contract: a refusal of the run's own guard against the menu's files comes back
// in the result before any page is written; a page that would leave the main page's
// folder throws EFCreateError when its turn comes (the pages before it are in the
// sink), as do the sink's own failures.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/menudocument.h"
#include "core/pageassembler.h"
#include "core/pageplan.h"
#include "core/pagesink.h"
#include "core/templateset.h"

namespace navforge {

class GenerationRun {
public:
  // Assigns the identifiers and plans the pages; doc must outlive the run.
  GenerationRun(const TovHTML& doc, TTemplateSet set);
  // With the identifiers given (the document's operations use the entries' LinkIDs).
  GenerationRun(const TovHTML& doc, TTemplateSet set, std::vector<std::string> linkIDs);
  GenerationRun(const GenerationRun&) = delete;
  GenerationRun& operator=(const GenerationRun&) = delete;

  const PagePlan& Plan() const { return plan_; }
  const TTemplateSet& Set() const { return set_; }
  // Either guard's first refusal over the whole plan, for callers that make only some
  // pages (the preview) or none (the check).
  std::optional<Refusal> FirstRefusal() const { return navforge::FirstRefusal(doc_, plan_); }

  // Every planned page in order into sink, then sink.Finish().
  RunResult Run(IPageSink& sink);
  // The bytes of planned page index.
  std::string Page(std::size_t index);
  // The same page with every placeholder filled in the whole joined text, as the rule
  // reads, never from ready parts: what Page is compared against.
  std::string PageFilledWhole(std::size_t index);
  PageAssembler& Assembler() { return assembler_; }

private:
  const TovHTML& doc_;
  const TTemplateSet set_;
  const PagePlan plan_;
  PageAssembler assembler_;
};

// The set a run of doc uses, as every generation but the document's own loads it; the
// empty output file name refused first, as the generate command refuses it. Without a
// set, message holds the text to show (Windows-1252). Throws what reading the set throws.
std::optional<TTemplateSet> LoadSetForRun(const TovHTML& doc, std::string& message);

}  // namespace navforge
