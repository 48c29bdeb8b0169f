#include "core/pagesink.h"

#include <chrono>
#include <thread>

#include "core/pagefiles.h"
#include "core/pagewriter.h"
#include "support/textfile.h"

namespace navforge {

DiskPageSink::DiskPageSink(std::function<void(const std::string&)> onPageWritten, std::string baseFolder,
                           Overlap overlap)
    : onPageWritten_(std::move(onPageWritten)), baseFolder_(std::move(baseFolder)) {
  // On one processor the second thread would only take turns with generation.
  if (overlap == Overlap::On || (overlap == Overlap::Auto && std::thread::hardware_concurrency() >= 2))
    writer_ = std::make_unique<PageWriter>(
        [this](const std::string& file, std::string_view bytes) { Write(file, bytes); });
}

// Defined here, where PageWriter is complete. A page still in hand is written through;
// its failure, if any, no longer reaches anyone, as generation has already stopped.
DiskPageSink::~DiskPageSink() = default;

void DiskPageSink::Write(const std::string& file, std::string_view bytes) {
  const auto start = std::chrono::steady_clock::now();
  WriteWholeFile(file, bytes, Durable::No);
  stats_.WriteSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ++stats_.Pages;
  stats_.Bytes += bytes.size();
}

void DiskPageSink::Written(const std::string& path) {
  if (onPageWritten_) onPageWritten_(path);
}

void DiskPageSink::WritePage(const std::string& path, std::string_view bytes) {
  if (!writer_) {
    Write(PageFile(baseFolder_, path), bytes);
    Written(path);
    return;
  }
  HandOver(path, std::string(bytes));
}

void DiskPageSink::HandOver(const std::string& path, std::string&& bytes) {
  if (!writer_) {
    WritePage(path, bytes);
    return;
  }
  Finish();  // the page before: written, or its failure thrown before this one goes out
  writer_->Start(PageFile(baseFolder_, path), std::move(bytes));
  inHand_ = path;
  hasInHand_ = true;
}

void DiskPageSink::Finish() {
  if (!writer_ || !hasInHand_) return;
  hasInHand_ = false;
  writer_->Wait();
  Written(inHand_);
}

void MemoryPageSink::WritePage(const std::string& path, std::string_view bytes) {
  Pages.push_back(GeneratedPage{path, std::string(bytes)});
}

void MemoryPageSink::HandOver(const std::string& path, std::string&& bytes) {
  Pages.push_back(GeneratedPage{path, std::move(bytes)});
}

}  // namespace navforge
