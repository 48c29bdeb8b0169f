#include "core/generatememory.h"

#include <exception>

#include "core/pageassembler.h"

namespace navforge {

GenerationResult GenerateToMemory(const TovHTML& doc) {
  GenerationResult result;
  if (doc.Filename.empty()) {
    result.Message = "Kein Dateiname zum Speichern angegeben";
    return result;
  }
  try {
    result.LinkIDs = PageAssembler::AssignLinkIDs(doc.Items);
    result.Set = LoadTemplateSet(doc.TemplateRoot, doc.Template, result.Message, doc.UserTemplateRoot);
    if (!result.Set) return result;
    MemoryPageSink sink;
    PageAssembler(doc, *result.Set, result.LinkIDs).WritePages(sink);
    result.Pages = std::move(sink.Pages);
    result.Ok = true;
  } catch (const std::exception& e) {
    result.Message = e.what();
  }
  return result;
}

}  // namespace navforge
