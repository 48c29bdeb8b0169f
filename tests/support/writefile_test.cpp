// The one write routine on what may stand at a path, and the bounded whole-file read.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/errors.h"
#include "support/tempfiles.h"
#include "support/sparetemp.h"
#include "support/textfile.h"
#include "testsupport/expectthrow.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct stat Stat(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs body in a child process without root's rights over files (as "nobody" when the
// tests run as root, after handing the folder over and then calling asRoot); true when
// body returned true.
template <class Body, class AsRoot = bool (*)()>
bool AsUnprivileged(const std::string& folder, Body body, AsRoot asRoot = [] { return true; }) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0) {
      for (const auto& e : fs::recursive_directory_iterator(folder))
        if (::lchown(e.path().c_str(), 65534, 65534) != 0) ::_exit(3);
      if (::chown(folder.c_str(), 65534, 65534) != 0 || !asRoot() || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(3);
    }
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(WriteWholeFile, nameTooLongForTheFileSystem_cannotBeCreated) {
  TempDir dir;
  const std::string path = dir.file(std::string(300, 'x') + ".htm");
  EXPECT_THROW_MSG(WriteWholeFile(path, "page"), EFCreateError, "Fehler beim Erstellen der Datei " + path);
}

// A web server or backup that opened a page before a generation reads that page to its
// end, never the next page written into the recycled file.
TEST(WriteWholeFile, pageHeldOpenByAReader_isNotRecycled) {
  TempDir dir;
  const std::string a = dir.file("a.htm"), b = dir.file("b.htm");
  WriteFile(a, "<p>old a</p>");
  WriteFile(b, "<p>old b</p>");
  SpareTemp spare;
  const int reader = ::open(a.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  WriteWholeFile(a, "<p>new a, longer than before</p>", Durable::No, &spare);
  WriteWholeFile(b, "<p>new b, longer than before</p>", Durable::No, &spare);
  char buf[64] = {};
  const ssize_t got = ::pread(reader, buf, sizeof buf, 0);
  ::close(reader);
  EXPECT_EQ(std::string(buf, static_cast<std::size_t>(std::max<ssize_t>(got, 0))), "<p>old a</p>");
  EXPECT_EQ(ReadFile(a), "<p>new a, longer than before</p>");
  EXPECT_EQ(ReadFile(b), "<p>new b, longer than before</p>");
}

TEST(WriteWholeFile, fifoAndDevice_areWrittenIntoAndStay) {
  TempDir dir;
  const std::string fifo = dir.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_THROW(WriteWholeFile(fifo, "x"), EFCreateError);  // nobody reads: refused at once
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  WriteWholeFile(fifo, "through the pipe");
  char buf[64] = {};
  EXPECT_EQ(std::string(buf, static_cast<std::size_t>(::read(reader, buf, sizeof buf))), "through the pipe");
  ::close(reader);
  EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));

  const std::string null = dir.file("null");
  if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    WriteWholeFile(null, "gone");
    EXPECT_TRUE(S_ISCHR(Stat(null).st_mode));
  }
  ::symlink(null.c_str(), dir.file("tonull").c_str());
  ::symlink(fifo.c_str(), dir.file("tofifo").c_str());
  EXPECT_EQ(Names(dir.path()).size(), 4u) << "no temporary and no replaced file left";
}

TEST(WriteWholeFile, links_stayAndTheirTargetIsWritten) {
  TempDir dir;
  ::symlink("missing", dir.file("dangling").c_str());
  ::symlink("dangling", dir.file("chain").c_str());
  WriteFile(dir.file("file"), "old");
  ASSERT_EQ(::link(dir.file("file").c_str(), dir.file("hard").c_str()), 0);
  WriteWholeFile(dir.file("chain"), "via two links");
  WriteWholeFile(dir.file("hard"), "both names");
  EXPECT_EQ(ReadFile(dir.file("missing")), "via two links");
  EXPECT_TRUE(S_ISLNK(Stat(dir.file("dangling")).st_mode));
  EXPECT_TRUE(S_ISLNK(Stat(dir.file("chain")).st_mode));
  EXPECT_EQ(ReadFile(dir.file("file")), "both names");
  EXPECT_EQ(Stat(dir.file("file")).st_nlink, 2u);
}

TEST(WriteWholeFile, keepsOwnerAndModeAndRefusesWriteProtectedFiles) {
  TempDir dir;
  const std::string path = dir.file("m.nff");
  WriteFile(path, "old");
  ::chmod(path.c_str(), 0604);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 1234, 4321), 0);
  }
  WriteWholeFile(path, "new");
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_EQ(Stat(path).st_mode & 07777, 0604u);
  if (root) {
    EXPECT_EQ(Stat(path).st_uid, 1234u);
    EXPECT_EQ(Stat(path).st_gid, 4321u);
  }

  ::chmod(path.c_str(), 0444);
  EXPECT_THROW(WriteWholeFile(path, "newer"), EFCreateError);  // root included
  EXPECT_EQ(ReadFile(path), "new");
}

TEST(WriteWholeFile, folderForbiddingNewFiles_getsItsFileRewrittenInPlace) {
  TempDir dir;
  const std::string folder = dir.file("shared");
  test::MakeDir(folder);
  ::chmod(dir.path().c_str(), 0755);
  WriteFile(folder + "/page.htm", "old page, longer than the new");
  ::chmod((folder + "/page.htm").c_str(), 0666);
  EXPECT_TRUE(AsUnprivileged(folder, [&] {
    ::chmod(folder.c_str(), 0555);
    WriteWholeFile(folder + "/page.htm", "new page");
    bool refused = false;
    try {
      WriteWholeFile(folder + "/other.htm", "x");
    } catch (const EFCreateError&) {
      refused = true;
    }
    return refused && ReadFile(folder + "/page.htm") == "new page";
  }));
  EXPECT_EQ(Names(folder), std::vector<std::string>{"page.htm"});
}

// A run of writes with a spare: the file each one replaces becomes the next one's, and
// every file still ends with exactly its bytes and its own mode.
TEST(WriteWholeFile, runWithSpare_recyclesReplacedFilesAndLeavesNoTemporary) {
  TempDir dir;
  const std::string a = dir.file("a.htm"), b = dir.file("b.htm"), c = dir.file("c.htm");
  WriteFile(a, std::string(5000, 'a'));
  WriteFile(b, "old b");
  ::chmod(a.c_str(), 0640);
  ::chmod(b.c_str(), 0604);
  const ino_t oldA = Stat(a).st_ino;
  {
    SpareTemp spare;
    WriteWholeFile(a, "A", Durable::No, &spare);
    WriteWholeFile(b, "B, longer than before", Durable::No, &spare);
    EXPECT_EQ(Stat(b).st_ino, oldA) << "a's old file was not taken for b";
    WriteWholeFile(c, "C", Durable::No, &spare);
    WriteWholeFile(b, "B", Durable::No, &spare);
  }
  EXPECT_EQ(ReadFile(a), "A");
  EXPECT_EQ(ReadFile(b), "B");
  EXPECT_EQ(ReadFile(c), "C");
  EXPECT_EQ(Stat(a).st_mode & 07777, 0640u);
  EXPECT_EQ(Stat(b).st_mode & 07777, 0604u);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"a.htm", "b.htm", "c.htm"}));
}

// A page written for the first time is the writer's own, not that of the page whose
// old file happens to be the spare.
TEST(WriteWholeFile, newFileInARun_isTheWritersOwn) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a file of another owner";
  TempDir dir;
  WriteFile(dir.file("theirs.htm"), "old");
  ASSERT_EQ(::chown(dir.file("theirs.htm").c_str(), 1234, 4321), 0);
  {
    SpareTemp spare;
    WriteWholeFile(dir.file("theirs.htm"), "T", Durable::No, &spare);
    WriteWholeFile(dir.file("new.htm"), "N", Durable::No, &spare);
  }
  EXPECT_EQ(Stat(dir.file("theirs.htm")).st_uid, 1234u);
  EXPECT_EQ(Stat(dir.file("new.htm")).st_uid, 0u);
  EXPECT_EQ(ReadFile(dir.file("new.htm")), "N");
}

// Network and FUSE file systems refuse the exchange: the pages are renamed over as
// without a spare, and the exchange is not tried again in that folder.
TEST(WriteWholeFile, fileSystemWithoutExchange_getsTheRename) {
  static int tries = 0;
  tries = 0;
  TempDir dir;
  const std::string a = dir.file("a.htm"), b = dir.file("b.htm");
  WriteFile(a, "old a");
  WriteFile(b, "old b");
  {
    SpareTemp spare([](const char*, const char*) {
      ++tries;
      errno = EINVAL;
      return -1;
    });
    WriteWholeFile(a, "A", Durable::No, &spare);
    WriteWholeFile(b, "B", Durable::No, &spare);
  }
  EXPECT_EQ(ReadFile(a), "A");
  EXPECT_EQ(ReadFile(b), "B");
  EXPECT_EQ(tries, 1);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"a.htm", "b.htm"}));
}

// A spare that belongs to someone else would hand the next page over to them.
TEST(WriteWholeFile, spareOfAnotherOwner_isNotPassedOn) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a file of another owner";
  TempDir dir;
  const std::string folder = dir.file("site");
  test::MakeDir(folder);
  ::chmod(dir.path().c_str(), 0755);
  WriteFile(folder + "/mine.htm", "mine");
  EXPECT_TRUE(AsUnprivileged(
      folder,
      [&] {
        SpareTemp spare;
        WriteWholeFile(folder + "/theirs.htm", "t", Durable::No, &spare);
        WriteWholeFile(folder + "/mine.htm", "m", Durable::No, &spare);
        return Stat(folder + "/mine.htm").st_uid == 65534 && ReadFile(folder + "/mine.htm") == "m";
      },
      [&] {
        WriteFile(folder + "/theirs.htm", "root's");
        return ::chmod((folder + "/theirs.htm").c_str(), 0666) == 0;
      }));
}

TEST(WriteWholeFile, removesStaleTemporariesOfItsOwn) {
  TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string mine = ".navforge-" + std::to_string(::getpid());
  const struct {
    std::string name;
    bool old, stays;
  } files[] = {
      {".navforge-" + std::to_string(gone) + "-abcdef.tmp", false, false},  // its process is gone
      {mine + "-olddef.tmp", true, false},                                   // older than allowed
      {mine + "-newdef.tmp", false, true},                                   // may still be written
      {".nf-write-a1b2c3", true, false},                                     // an earlier version's
      {".nf-write-d4e5f6", false, true},
      {".navforge-notes.tmp", true, true},                                   // not one of ours
      {"page.tmp", true, true},
  };
  for (const auto& f : files) {
    WriteFile(dir.file(f.name), "x");
    const timeval back[2] = {{std::time(nullptr) - 2 * kStaleTempAge, 0}, {std::time(nullptr) - 2 * kStaleTempAge, 0}};
    if (f.old) ::utimes(dir.file(f.name).c_str(), back);
  }
  WriteWholeFile(dir.file("m.nff"), "NFF 2\r\n");
  for (const auto& f : files) EXPECT_EQ(fs::exists(dir.file(f.name)), f.stays) << f.name;
  EXPECT_TRUE(fs::exists(dir.file("m.nff")));
}

TEST(ReadWholeFile, onlyRegularFilesUpToTheLimit) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
  const std::string big = dir.file("big");
  WriteFile(big, "");
  fs::resize_file(big, kReadLimit + 1);  // sparse
  for (const std::string& path : {dir.file("pipe"), std::string("/dev/zero"), big})
    EXPECT_THROW(ReadWholeFile(path), EFOpenError) << path;
  fs::resize_file(big, 3);
  EXPECT_EQ(ReadWholeFile(big), std::string(3, '\0'));
}

}  // namespace
}  // namespace navforge
