#include "core/pagesink.h"

#include "core/pagefiles.h"
#include "support/textfile.h"

namespace navforge {

void DiskPageSink::WritePage(const std::string& path, std::string_view bytes) {
  WriteWholeFile(PageFile(baseFolder_, path), bytes, Durable::No);
  if (onPageWritten_) onPageWritten_(path);
}

void MemoryPageSink::WritePage(const std::string& path, std::string_view bytes) {
  Pages.push_back(GeneratedPage{path, std::string(bytes)});
}

}  // namespace navforge
