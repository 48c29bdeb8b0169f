#include "core/pagesink.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "core/pagefiles.h"
#include "core/pagewriter.h"
#include "support/textfile.h"

namespace navforge {

DiskPageSink::DiskPageSink(std::function<void(const std::string&)> onPageWritten, std::string baseFolder,
                           Overlap overlap)
    : onPageWritten_(std::move(onPageWritten)), baseFolder_(std::move(baseFolder)) {
  // On one processor the second thread would only take turns with generation.
  if (overlap == Overlap::On || (overlap == Overlap::Auto && std::thread::hardware_concurrency() >= 2)) {
    try {
      writer_ = std::make_unique<PageWriter>(
          [this](const std::string& file, std::string_view bytes) { Write(file, bytes); });
    } catch (const std::system_error&) {
      // No thread to be had (a process limit): the pages are written one by one.
    }
  }
}

// Defined here, where PageWriter is complete. Pages still in hand are written through;
// a failure no longer reaches anyone, as generation has already stopped.
DiskPageSink::~DiskPageSink() = default;

void DiskPageSink::Write(const std::string& file, std::string_view bytes) {
  const auto start = std::chrono::steady_clock::now();
  WriteWholeFile(file, bytes, Durable::No, &spare_);
  stats_.WriteSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ++stats_.Pages;
  stats_.Bytes += bytes.size();
}

void DiskPageSink::Written(const std::string& path) {
  if (onPageWritten_) onPageWritten_(path);
}

void DiskPageSink::WritePage(const std::string& path, std::string_view bytes) { HandOver(path, std::string(bytes)); }

// The one way a page goes to disk: written now, or queued for the writer thread.
void DiskPageSink::HandOver(const std::string& path, std::string&& bytes) {
  if (!writer_) {
    Write(PageFile(baseFolder_, path), bytes);
    Written(path);
    return;
  }
  ReportWritten();
  // Refused once a page before has failed: that failure is thrown instead.
  if (!writer_->Start(PageFile(baseFolder_, path), std::move(bytes))) Finish();
  inHand_.push_back(path);
}

void DiskPageSink::ReportWritten() {
  for (std::size_t n = writer_->TakeWritten(); n > 0; --n) {
    Written(inHand_.front());
    inHand_.pop_front();
  }
}

void DiskPageSink::Finish() {
  if (!writer_) return;
  const std::exception_ptr failure = writer_->Wait();
  ReportWritten();
  inHand_.clear();  // dropped behind the failed page
  if (failure) std::rethrow_exception(failure);
}

void MemoryPageSink::WritePage(const std::string& path, std::string_view bytes) {
  Pages.push_back(GeneratedPage{path, std::string(bytes)});
}

void MemoryPageSink::HandOver(const std::string& path, std::string&& bytes) {
  Pages.push_back(GeneratedPage{path, std::move(bytes)});
}

}  // namespace navforge
