#include "core/pagesink.h"

#include "support/textfile.h"

namespace navforge {

void DiskPageSink::WritePage(const std::string& path, std::string_view bytes) {
  WriteWholeFile(path, bytes, Durable::No);
  if (onPageWritten_) onPageWritten_(path);
}

void MemoryPageSink::WritePage(const std::string& path, std::string_view bytes) {
  Pages.push_back(GeneratedPage{path, std::string(bytes)});
}

}  // namespace navforge
