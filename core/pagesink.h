#pragma once
// Where generated pages go: one call per page, in the order generation writes them.
// The disk sink writes files as the generate command does; the memory sink keeps the
// pages for a preview, a check or a comparison without touching the disk.
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace navforge {

class IPageSink {
public:
  virtual ~IPageSink() = default;
  // path: the page's path as a Windows-1252 text; bytes: the finished page.
  virtual void WritePage(const std::string& path, std::string_view bytes) = 0;
};

// Writes each page atomically (without forcing it to disk) and then reports its path.
// A relative path is taken against baseFolder (a file-system name ending with "/";
// "" for the current folder), see core/pagefiles.h.
class DiskPageSink : public IPageSink {
public:
  explicit DiskPageSink(std::function<void(const std::string&)> onPageWritten = {}, std::string baseFolder = {})
      : onPageWritten_(std::move(onPageWritten)), baseFolder_(std::move(baseFolder)) {}
  void WritePage(const std::string& path, std::string_view bytes) override;

private:
  std::function<void(const std::string&)> onPageWritten_;
  std::string baseFolder_;
};

struct GeneratedPage {
  std::string Path;
  std::string Bytes;
  bool operator==(const GeneratedPage&) const = default;
};

// Keeps every page in order; a page written twice to one path appears twice.
class MemoryPageSink : public IPageSink {
public:
  void WritePage(const std::string& path, std::string_view bytes) override;
  std::vector<GeneratedPage> Pages;
};

}  // namespace navforge
