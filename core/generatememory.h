#pragma once
// Generation into memory for the preview, the checks and the import: the pages that
// Generate would write, without writing a file, changing the document or showing a
// message.
#include <optional>
#include <string>
#include <vector>

#include "core/menudocument.h"
#include "core/pagesink.h"
#include "core/templateset.h"

namespace navforge {

struct GenerationResult {
  bool Ok = false;
  // Windows-1252: exactly the text Generate would show or throw when it fails.
  std::string Message;
  std::vector<GeneratedPage> Pages;
  std::vector<std::string> LinkIDs;  // per entry of the document's Items
  std::optional<TTemplateSet> Set;
};

GenerationResult GenerateToMemory(const TovHTML& doc);

}  // namespace navforge
