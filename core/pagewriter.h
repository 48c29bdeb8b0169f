#pragma once
// A second thread that writes pages while the caller makes the next ones. Pages wait
// in a short queue and are written in the order given; after a page fails, the pages
// queued behind it are dropped and no further page is taken, so nothing after a failed
// page is ever written. The caller and the writer wake each other only when one of
// them has to wait, not once per page.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace navforge {

class PageWriter {
public:
  using Write = std::function<void(const std::string& file, std::string_view bytes)>;
  // write runs on the writer thread, one page at a time. The queue holds up to
  // maxPages pages and, beyond its first page, up to maxBytes bytes.
  explicit PageWriter(Write write, std::size_t maxPages = 16, std::size_t maxBytes = std::size_t{32} << 20);
  // Writes the queued pages through (none after a failed one).
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Queues a page, waiting while the queue is full. False, with the page not taken,
  // once an earlier page has failed.
  bool Start(std::string file, std::string bytes);
  // How many pages were written since the last call (in the order given).
  std::size_t TakeWritten();
  // Returns once every queued page is written or dropped: the failure of the page
  // that failed, if one did.
  std::exception_ptr Wait();

private:
  struct Page {
    std::string File, Bytes;
  };
  void Run();
  bool Full() const;

  Write write_;
  const std::size_t maxPages_, maxBytes_;
  std::mutex mutex_;
  std::condition_variable work_;  // the writer waits for a page or the end
  std::condition_variable room_;  // the caller waits for room or the end of the queue
  std::deque<Page> queue_;
  std::size_t queuedBytes_ = 0;
  bool writing_ = false;        // the writer has a page out of the queue
  bool callerWaiting_ = false;  // the caller waits on room_
  bool stop_ = false;
  std::size_t written_ = 0;
  std::exception_ptr failure_;
  std::thread thread_;  // last: starts once the members above exist
};

}  // namespace navforge
