#pragma once
// What a caller of the generate command chooses for one run, and what the run tells
// back: kept apart from the document, which holds none of it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace navforge {

// Whether the disk sink writes a page on a thread of its own while generation makes
// the next one. Auto: where the machine has two or more processors.
enum class Overlap { Auto, On, Off };

// What a disk sink wrote: pages, bytes, and the seconds spent in writing them (on the
// writer thread while it overlaps).
struct PageWriteStats {
  std::size_t Pages = 0;
  std::uint64_t Bytes = 0;
  double WriteSeconds = 0;
};

struct RunOptions {
  // Called with the page's name after each page is written (navforge-cli --verbose).
  std::function<void(const std::string&)> OnPageWritten;
  Overlap WriteOverlap = Overlap::Auto;
};

struct RunResult {
  bool Ok = false;
  std::string Message;   // Windows-1252: why the run refused, as the generate command shows it
  PageWriteStats Stats;  // what a disk run wrote (navforge-cli --stats)
};

}  // namespace navforge
