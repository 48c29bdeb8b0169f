#include "core/generationrun.h"

#include "support/errors.h"

namespace navforge {

GenerationRun::GenerationRun(const TovHTML& Doc, TTemplateSet Set)
    : GenerationRun(Doc, std::move(Set), AssignLinkIDs(Doc.Items)) {}

GenerationRun::GenerationRun(const TovHTML& Doc, TTemplateSet Set, std::vector<std::string> LinkIDs)
    : doc_(Doc),
      set_(std::move(Set)),
      plan_(PlanPages(Doc.Items, Doc, std::move(LinkIDs), set_.AllInOne)),
      assembler_(Doc, set_, plan_) {}

RunResult GenerationRun::Run(IPageSink& Sink) {
  RunResult result;
  if (const std::optional<Refusal> own = MenuFileRefusal(doc_, plan_)) {
    result.Message = own->Message;
    return result;
  }
  for (std::size_t i = 0; i < plan_.Pages.size(); ++i) {
    if (const std::optional<Refusal> out = FolderRefusal(doc_, plan_, i)) {
      // A page still being written is finished (and its failure thrown) first.
      Sink.Finish();
      throw EFCreateError(plan_.Pages[i].Path);
    }
    Sink.HandOver(plan_.Pages[i].Path, Page(i));
  }
  Sink.Finish();
  result.Ok = true;
  return result;
}

std::string GenerationRun::Page(std::size_t Index) {
  const PlannedPage& page = plan_.Pages[Index];
  return assembler_.Page(page.Path, page.Active, plan_.Count);
}

std::string GenerationRun::PageFilledWhole(std::size_t Index) {
  const PlannedPage& page = plan_.Pages[Index];
  return assembler_.Filler().WholePage(assembler_.JoinedPage(page.Active, plan_.Count), page.Path);
}

std::optional<TTemplateSet> LoadSetForRun(const TovHTML& Doc, std::string& Message) {
  if (Doc.Filename.empty()) {
    Message = "Kein Dateiname zum Speichern angegeben";
    return std::nullopt;
  }
  return LoadTemplateSet(Doc.TemplateRoot, Doc.Template, Message, Doc.UserTemplateRoot);
}

}  // namespace navforge
