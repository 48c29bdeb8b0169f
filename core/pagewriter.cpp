#include "core/pagewriter.h"

#include <utility>

namespace navforge {

PageWriter::PageWriter(Write write, std::size_t maxPages, std::size_t maxBytes)
    : write_(std::move(write)), maxPages_(maxPages), maxBytes_(maxBytes), thread_([this] { Run(); }) {}

PageWriter::~PageWriter() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  work_.notify_one();
  thread_.join();
}

bool PageWriter::Full() const {
  return !queue_.empty() && (queue_.size() >= maxPages_ || queuedBytes_ >= maxBytes_);
}

bool PageWriter::Start(std::string file, std::string bytes) {
  bool wake = false;
  {
    std::unique_lock lock(mutex_);
    if (Full() && !failure_) {
      callerWaiting_ = true;
      room_.wait(lock, [this] { return !Full() || failure_; });
      callerWaiting_ = false;
    }
    if (failure_) return false;
    // The writer waits only on an empty queue.
    wake = queue_.empty();
    queuedBytes_ += bytes.size();
    queue_.push_back(Page{std::move(file), std::move(bytes)});
  }
  if (wake) work_.notify_one();
  return true;
}

std::size_t PageWriter::TakeWritten() {
  std::lock_guard lock(mutex_);
  return std::exchange(written_, 0);
}

std::exception_ptr PageWriter::Wait() {
  std::unique_lock lock(mutex_);
  callerWaiting_ = true;
  room_.wait(lock, [this] { return queue_.empty() && !writing_; });
  callerWaiting_ = false;
  return failure_;
}

void PageWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return !queue_.empty() || stop_; });
    if (queue_.empty()) return;
    Page page = std::move(queue_.front());
    queue_.pop_front();
    queuedBytes_ -= page.Bytes.size();
    writing_ = true;
    lock.unlock();
    std::exception_ptr failure;
    try {
      write_(page.File, page.Bytes);
    } catch (...) {
      failure = std::current_exception();
    }
    page = Page();  // not kept once written
    lock.lock();
    writing_ = false;
    if (failure) {
      failure_ = failure;
      // Nothing after a failed page is written.
      queue_.clear();
      queuedBytes_ = 0;
    } else {
      ++written_;
    }
    if (callerWaiting_) room_.notify_one();
  }
}

}  // namespace navforge
