// The writer thread's queue: order, the stop after a failed page, writing through.
#include <gtest/gtest.h>

#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/pagewriter.h"

namespace navforge {
namespace {

// Records the pages written; the page named failing throws instead.
struct Recorder {
  std::string failing;
  std::mutex mutex;
  std::vector<std::string> files;
  PageWriter::Write Write() {
    return [this](const std::string& file, std::string_view) {
      if (file == failing) throw std::runtime_error(file);
      std::lock_guard lock(mutex);
      files.push_back(file);
    };
  }
};

TEST(PageWriter, afterAFailedPage_nothingIsWritten) {
  Recorder rec;
  rec.failing = "3";
  PageWriter writer(rec.Write(), 2);
  for (int i = 1; i <= 8; ++i) writer.Start(std::to_string(i), "bytes");
  EXPECT_TRUE(writer.Wait());
  EXPECT_FALSE(writer.Start("9", "bytes"));
  EXPECT_EQ(rec.files, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(writer.TakeWritten(), 2u);
}

TEST(PageWriter, queuedPages_areWrittenThroughInOrder) {
  Recorder rec;
  std::vector<std::string> expected;
  {
    PageWriter writer(rec.Write(), 2);
    for (int i = 1; i <= 50; ++i) {
      expected.push_back(std::to_string(i));
      ASSERT_TRUE(writer.Start(expected.back(), std::string(static_cast<std::size_t>(i), 'x')));
    }
  }  // no Wait: the end writes what is queued
  EXPECT_EQ(rec.files, expected);
}

}  // namespace
}  // namespace navforge
