// Two programs saving the same menu: the second waits for the first, and reports the
// menu as in use when the first takes too long.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "core/menudocument.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/savelock.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;

// Another process that holds the save lock of 'menu' for holdMs milliseconds.
class OtherSaver {
public:
  OtherSaver(const std::string& menu, int holdMs) {
    int ready[2];
    if (::pipe(ready) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      const TSaveLock lock(menu);
      [[maybe_unused]] const auto n = ::write(ready[1], "x", 1);
      ::usleep(static_cast<useconds_t>(holdMs) * 1000);
      ::_exit(0);
    }
    char c;
    [[maybe_unused]] const auto n = ::read(ready[0], &c, 1);
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~OtherSaver() { ::waitpid(pid_, nullptr, 0); }

private:
  pid_t pid_ = -1;
};

TEST(SaveLock, secondSaver_waitsBrieflyThenReportsTheMenuInUse) {
  TempDir dir;
  const std::string menu = dir.file("m.nff");
  TovHTML doc;
  doc.VariablesFile = dir.file("v.nfv");
  doc.InsertItem(-1, "Home", "index.htm", "", false);
  {
    OtherSaver other(menu, 300);
    doc.SaveToFile(menu);  // waits for the other save to end
  }
  EXPECT_EQ(ReadFile(menu), "NFF 2\r\nHome\xB6index.htm\xB6\xB6" "0\r\n");

  std::remove(menu.c_str());
  std::remove(dir.file("m.nfs").c_str());
  OtherSaver other(menu, TSaveLock::kSaveLockWaitMs + 500);
  try {
    doc.SaveToFile(menu);
    FAIL() << "no error";
  } catch (const EMenuInUse& e) {
    EXPECT_EQ(std::string(e.what()), "Das Menü "_cp1252 + menu +
                                         " wird gerade von einem anderen Programm gespeichert. Bitte versuchen Sie "
                                         "es gleich noch einmal.");
  }
  EXPECT_EQ(ReadFile(menu), "");
  EXPECT_EQ(ReadFile(dir.file("m.nfs")), "");
}

}  // namespace
}  // namespace navforge
