#pragma once
// A second thread that writes one page while the caller makes the next. It holds at
// most one page: the caller waits for the page in hand before it hands over another,
// so pages are written in the order given and a failed page is known before the next
// one could be written.
#include <condition_variable>
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
  // write runs on the writer thread, one page at a time.
  explicit PageWriter(Write write);
  // Waits for the page in hand; a failure not yet taken by Wait is dropped.
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Returns once the page in hand is written; rethrows what its write threw.
  void Wait();
  // Hands a page over; only after Wait, so that no page follows a failed one.
  void Start(std::string file, std::string bytes);

private:
  void Run();

  Write write_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;
  bool stop_ = false;
  std::string file_, bytes_;
  std::exception_ptr failure_;
  std::thread thread_;  // last: starts once the members above exist
};

}  // namespace navforge
