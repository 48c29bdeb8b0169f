#include "core/pagewriter.h"

#include <utility>

namespace navforge {

PageWriter::PageWriter(Write write) : write_(std::move(write)), thread_([this] { Run(); }) {}

PageWriter::~PageWriter() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void PageWriter::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void PageWriter::Start(std::string file, std::string bytes) {
  {
    std::lock_guard lock(mutex_);
    file_ = std::move(file);
    bytes_ = std::move(bytes);
    busy_ = true;
  }
  changed_.notify_all();
}

void PageWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stop_; });
    if (!busy_) return;
    lock.unlock();
    std::exception_ptr failure;
    try {
      write_(file_, bytes_);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    // The page is not kept once written: at most two pages exist at a time.
    bytes_ = std::string();
    failure_ = failure;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace navforge
