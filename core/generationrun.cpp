#include "core/generationrun.h"

#include "support/errors.h"

namespace navforge {

GenerationRun::GenerationRun(const TovHTML& doc, TTemplateSet set)
    : GenerationRun(doc, std::move(set), AssignLinkIDs(doc.Items)) {}

GenerationRun::GenerationRun(const TovHTML& doc, TTemplateSet set, std::vector<std::string> linkIDs)
    : doc_(doc),
      set_(std::move(set)),
      plan_(PlanPages(doc.Items, doc, std::move(linkIDs), set_.AllInOne)),
      assembler_(doc, set_, plan_) {}

RunResult GenerationRun::Run(IPageSink& sink) {
  RunResult result;
  // Refusals that concern the whole menu come before anything is written.
  for (auto guard : {MenuFileRefusal, ForeignFileRefusal})
    if (const std::optional<Refusal> refused = guard(doc_, plan_)) {
      result.Message = refused->Message;
      return result;
    }
  for (std::size_t i = 0; i < plan_.Pages.size(); ++i) {
    if (const std::optional<Refusal> out = FolderRefusal(doc_, plan_, i)) {
      // A page still being written is finished (and its failure thrown) first.
      sink.Finish();
      throw EFCreateError(plan_.Pages[i].Path);
    }
    std::string bytes;
    try {
      bytes = Page(i);
    } catch (const ENavforgeError&) {
      // A page that cannot be made ends the run like one that cannot be written:
      // the pages before it are written and reported first.
      sink.Finish();
      throw;
    }
    sink.HandOver(plan_.Pages[i].Path, std::move(bytes));
  }
  sink.Finish();
  result.Ok = true;
  return result;
}

std::string GenerationRun::Page(std::size_t index) {
  const PlannedPage& page = plan_.Pages[index];
  return assembler_.Page(page.Path, page.Active, plan_.Count);
}

std::string GenerationRun::PageFilledWhole(std::size_t index) {
  const PlannedPage& page = plan_.Pages[index];
  return assembler_.Filler().WholePage(assembler_.JoinedPage(page.Active, plan_.Count), page.Path);
}

std::optional<TTemplateSet> LoadSetForRun(const TovHTML& doc, std::string& message) {
  if (doc.Filename.empty()) {
    message = "Kein Dateiname zum Speichern angegeben";
    return std::nullopt;
  }
  return LoadTemplateSet(doc.TemplateRoot, doc.Template, message, doc.UserTemplateRoot);
}

}  // namespace navforge
