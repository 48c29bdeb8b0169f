#pragma once
// Where generated pages go: one call per page, in the order generation writes them.
// The disk sink writes files as the generate command does; the memory sink keeps the
// pages for a preview, a check or a comparison without touching the disk.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/runoptions.h"
#include "support/sparetemp.h"

namespace navforge {

class IPageSink {
public:
  virtual ~IPageSink() = default;
  // path: the page's path as a Windows-1252 text; bytes: the finished page.
  virtual void WritePage(const std::string& path, std::string_view bytes) = 0;
  // The same, taking the bytes over, so a sink that writes later need not copy them.
  virtual void HandOver(const std::string& path, std::string&& bytes) { WritePage(path, bytes); }
  // After the last page: returns once every page is where it goes, and throws what
  // writing a page still in hand threw.
  virtual void Finish() {}
};

class PageWriter;

// Writes each page atomically (without forcing it to disk) and then reports its path.
// The page a write replaces becomes the temporary of the next one (SpareTemp), so a
// generation over existing pages creates no file per page. A relative path is taken
// against baseFolder (a file-system name ending with "/"; "" for the current folder),
// see core/pagefiles.h.
//
// Overlapping, pages are written in order on a second thread while the next ones are
// made; a page is reported, and a failure thrown, at a later hand-over or at Finish. A
// page after a failed one is never written, and the pages before it stay, as without
// the overlap.
class DiskPageSink : public IPageSink {
public:
  explicit DiskPageSink(std::function<void(const std::string&)> onPageWritten = {}, std::string baseFolder = {},
                        Overlap overlap = Overlap::Off);
  ~DiskPageSink() override;
  void WritePage(const std::string& path, std::string_view bytes) override;
  void HandOver(const std::string& path, std::string&& bytes) override;
  void Finish() override;
  // Complete once Finish has returned.
  const PageWriteStats& Stats() const { return stats_; }

private:
  void Write(const std::string& file, std::string_view bytes);
  void Written(const std::string& path);
  void ReportWritten();

  std::function<void(const std::string&)> onPageWritten_;
  std::string baseFolder_;
  PageWriteStats stats_;
  SpareTemp spare_;                     // outlives the writer, which uses it
  std::unique_ptr<PageWriter> writer_;  // null: each page written before the call returns
  std::deque<std::string> inHand_;      // the paths of the pages the writer has, in order
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
  void HandOver(const std::string& path, std::string&& bytes) override;
  std::vector<GeneratedPage> Pages;
};

}  // namespace navforge
