#include "core/generatememory.h"

#include <exception>

#include "core/generationrun.h"

namespace navforge {

GenerationResult GenerateToMemory(const TovHTML& doc) {
  GenerationResult result;
  try {
    result.Set = LoadSetForRun(doc, result.Message);
    if (!result.Set) return result;
    GenerationRun run(doc, *result.Set);
    result.LinkIDs = run.Plan().LinkIDs;
    MemoryPageSink sink;
    try {
      const RunResult ran = run.Run(sink);
      result.Ok = ran.Ok;
      result.Message = ran.Message;
    } catch (...) {
      result.Pages = std::move(sink.Pages);
      throw;
    }
    result.Pages = std::move(sink.Pages);
  } catch (const std::exception& e) {
    result.Message = e.what();
  }
  return result;
}

}  // namespace navforge
