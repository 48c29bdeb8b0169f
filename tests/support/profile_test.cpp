#include "support/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/errors.h"
#include "testsupport/expectthrow.h"
#include "testsupport/filelimit.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(ProfileRead, sectionsAndKeys_ignoreLetterCase) {
  TProfileFile f("[mAiN]\r\nTitle=abc\r\n");
  EXPECT_EQ(f.ReadString("Main", "TITLE", "d"), "abc");
  EXPECT_EQ(f.ReadString("MAIN", "title", "d"), "abc");
  EXPECT_EQ(f.ReadString("Other", "Title", "d"), "d");
}

TEST(ProfileRead, values_areTrimmedAndUnquoted) {
  TProfileFile f(
      "[Main]\r\n"
      "  a =  x y \t\r\n"
      "b=\"quoted \"\r\n"
      "c=' single'\r\n"
      "d=\"mixed'\r\n"
      "e=\"\r\n"
      "f=\"\"\r\n"
      "g= \"in\"side\"  \r\n");
  EXPECT_EQ(f.ReadString("Main", "a", "-"), "x y");
  EXPECT_EQ(f.ReadString("Main", "b", "-"), "quoted ");
  EXPECT_EQ(f.ReadString("Main", "c", "-"), " single");
  EXPECT_EQ(f.ReadString("Main", "d", "-"), "\"mixed'");
  EXPECT_EQ(f.ReadString("Main", "e", "-"), "\"");
  EXPECT_EQ(f.ReadString("Main", "f", "-"), "");
  EXPECT_EQ(f.ReadString("Main", "g", "-"), "in\"side");  // only the outer pair goes
}

TEST(ProfileRead, emptyValue_isNotTheDefault) {
  TProfileFile f("[Main]\r\nhr=\r\nblank=   \r\n");
  EXPECT_EQ(f.ReadString("Main", "hr", "<hr>"), "");
  EXPECT_EQ(f.ReadString("Main", "blank", "<hr>"), "");
  EXPECT_EQ(f.ReadString("Main", "missing", "<hr>"), "<hr>");
}

TEST(ProfileRead, values_areCutAt2047Characters) {
  const std::string longValue(3000, 'v');
  TProfileFile f("[Main]\r\nk=" + longValue + "\r\nq=\"" + std::string(2047, 'w') + "\"\r\n");
  EXPECT_EQ(f.ReadString("Main", "k", ""), std::string(2047, 'v'));
  EXPECT_EQ(f.ReadString("Main", "q", ""), std::string(2047, 'w'));
}

TEST(ProfileRead, keysOutsideTheirSectionCommentsAndDuplicates_areSkipped) {
  TProfileFile f(
      "k=before any section\n"
      "[Other]\n"
      "k=other\n"
      "[Main]\n"
      ";k=comment\n"
      "no equals sign\n"
      "k=first\r"
      "k=second\n"
      "[main]\n"
      "k=duplicate section\n"
      "j=only in duplicate\n");
  EXPECT_EQ(f.ReadString("Main", "k", "-"), "first");
  EXPECT_EQ(f.ReadString("Main", "j", "-"), "-");
  EXPECT_EQ(f.ReadString("Other", "k", "-"), "other");
  EXPECT_EQ(f.ReadString("Main", "no equals sign", "-"), "-");
}

TEST(ProfileRead, missingOrUnreadableFile_givesDefault) {
  TempDir dir;
  EXPECT_EQ(GetProfileString(dir.file("none.ini"), "Main", "k", "def"), "def");
  test::MakeDir(dir.file("folder.ini"));
  EXPECT_EQ(GetProfileString(dir.file("folder.ini"), "Main", "k", "def"), "def");
  WriteFile(dir.file("t.ini"), "[Main]\r\nall_in_one=0\r\n");
  EXPECT_EQ(GetProfileString(dir.file("t.ini"), "main", "ALL_IN_ONE", "1"), "0");
}

TEST(ProfileWrite, existingKey_isReplacedAndEveryOtherByteKept) {
  const std::string before =
      "; hand-written\n"
      "[Other]\r\n"
      "Title=not this one\r"
      "\r\n"
      "[Main]\r\n"
      "  title = old  \r\n"
      "x=\xFC\xB6\n"
      "[Last]\n"
      "y=1";
  TProfileFile f(before);
  f.WriteString("Main", "Title", "new");
  std::string expected = before;
  expected.replace(expected.find("  title = old  "), 15, "Title=new");
  EXPECT_EQ(f.Bytes(), expected);
}

TEST(ProfileWrite, newKey_followsTheLastKeyOfItsSection) {
  TProfileFile f("[Main]\r\na=1\r\n; note\r\nb=2\r\n\r\n; trailing comment\r\n[Next]\r\nc=3\r\n");
  f.WriteString("MAIN", "new", "v");
  EXPECT_EQ(f.Bytes(), "[Main]\r\na=1\r\n; note\r\nb=2\r\nnew=v\r\n\r\n; trailing comment\r\n[Next]\r\nc=3\r\n");

  TProfileFile empty("[Main]\n\n[Next]\n");
  empty.WriteString("Main", "k", "v");
  EXPECT_EQ(empty.Bytes(), "[Main]\nk=v\r\n\n[Next]\n");
}

TEST(ProfileWrite, missingSection_isCreatedAfterALineEnd) {
  TProfileFile f("[Other]\r\nz=9");
  f.WriteString("Main", "k", "v");
  f.WriteString("Main", "l", "w");
  EXPECT_EQ(f.Bytes(), "[Other]\r\nz=9\r\n[Main]\r\nk=v\r\nl=w\r\n");
  EXPECT_EQ(f.ReadString("main", "L", ""), "w");

  TProfileFile none;
  none.WriteString("Main", "k", "");
  EXPECT_EQ(none.Bytes(), "[Main]\r\nk=\r\n");
}

TEST(ProfileWrite, writeProfileString_createsAndUpdatesFile) {
  TempDir dir;
  const std::string path = dir.file("s.nfs");
  WriteProfileString(path, "Main", "a", "1");
  WriteProfileString(path, "Main", "b", "2");
  WriteProfileString(path, "Main", "A", "3");
  EXPECT_EQ(ReadFile(path), "[Main]\r\nA=3\r\nb=2\r\n");
}

TEST(ProfileSave, failure_raisesWriteErrorAndLeavesNothing) {
  TempDir dir;
  const std::string path = dir.file("missing/s.nfs");
  TProfileFile f;
  f.WriteString("Main", "k", "v");
  EXPECT_THROW_MSG(f.Save(path), EWriteError, "Fehler beim Schreiben nach " + path);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  // A folder standing where the file should be.
  test::MakeDir(dir.file("taken.nfs"));
  EXPECT_THROW(WriteProfileString(dir.file("taken.nfs"), "Main", "k", "v"), EWriteError);
}

// A write that fails half-way (the file size limit holds for root too) keeps the old file.
TEST(ProfileSave, failedWrite_keepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.file("s.nfs");
  const std::string old = "[Main]\r\nk=old\r\n";
  WriteFile(path, old);
  TProfileFile f = TProfileFile::LoadForUpdate(path);
  f.WriteString("Main", "k", std::string(4096, 'x'));

  bool threw = false;
  {
    test::ScopedFileSizeLimit limit(1024);
    try {
      f.Save(path);
    } catch (const EWriteError&) {
      threw = true;
    }
  }

  EXPECT_TRUE(threw);
  EXPECT_EQ(ReadFile(path), old);
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);  // no temporary file left behind
}

}  // namespace
}  // namespace navforge
