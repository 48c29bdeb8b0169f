#include "support/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/paths.h"
#include "testsupport/expectthrow.h"
#include "testsupport/filelimit.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using Lines = std::vector<std::string>;

TEST(SplitLines, everyLineEnd_splitsAndZeroByteEnds) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("\n\r\n\r"), (Lines{"", "", ""}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF CR is two line ends
  EXPECT_EQ(SplitLines(std::string("ab\0cd\r\nef", 9)), (Lines{"ab"}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_TRUE(SplitLines(std::string("\0x", 2)).empty());
}

TEST(JoinLines, everyLine_endsWithCrLf) {
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

TEST(ReadTextLines, missingFileOrFolder_raisesOpenError) {
  TempDir dir;
  EXPECT_THROW_MSG(ReadTextLines(dir.file("none.nff")), EFOpenError,
                   "Kann Datei " + dir.file("none.nff") + " nicht öffnen"_cp1252);
  EXPECT_THROW(ReadTextLines(dir.path()), EFOpenError);
}

TEST(WriteWholeFile, existingFile_isReplacedAndKeepsItsMode) {
  TempDir dir;
  const std::string path = dir.file("a.txt");
  WriteFile(path, "old, and longer than the new one");
  std::filesystem::permissions(path, std::filesystem::perms(0640));
  WriteTextLines(path, {"new"});
  EXPECT_EQ(ReadFile(path), "new\r\n");
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0640));
}

TEST(WriteWholeFile, symbolicLink_isWrittenThrough) {
  TempDir dir;
  WriteFile(dir.file("target"), "x");
  std::filesystem::create_symlink(dir.file("target"), dir.file("link"));
  WriteWholeFile(dir.file("link"), "y");
  EXPECT_EQ(ReadFile(dir.file("target")), "y");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
}

TEST(WriteWholeFile, uncreatableFile_raisesCreateErrorAndLeavesNothing) {
  TempDir dir;
  const std::string missing = dir.file("no/such/folder.nff");
  EXPECT_THROW_MSG(WriteWholeFile(missing, "x"), EFCreateError, "Fehler beim Erstellen der Datei " + missing);
  WriteFile(dir.file("plain"), "file, not folder");
  EXPECT_THROW(WriteWholeFile(dir.file("plain/x.nff"), "x"), EFCreateError);
  test::MakeDir(dir.file("folder.nff"));
  EXPECT_THROW(WriteWholeFile(dir.file("folder.nff"), "x"), EFCreateError);
  EXPECT_EQ(ReadFile(dir.file("plain")), "file, not folder");
}

TEST(WriteWholeFile, failedWrite_keepsOldFileAndNoTemporary) {
  TempDir dir;
  const std::string path = dir.file("m.nff");
  WriteFile(path, "NFF 2\r\n");
  bool threw = false;
  {
    test::ScopedFileSizeLimit limit(100);
    try {
      WriteWholeFile(path, std::string(1000, 'x'));
    } catch (const EWriteError&) {
      threw = true;
    }
  }
  EXPECT_TRUE(threw);
  EXPECT_EQ(ReadFile(path), "NFF 2\r\n");
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(ChangeFileExt, onlyTheFileNamesExtension_isReplaced) {
  EXPECT_EQ(ChangeFileExt("/a/menu.nff", ".nfs"), "/a/menu.nfs");
  EXPECT_EQ(ChangeFileExt("/a/menu", ".nfs"), "/a/menu.nfs");
  EXPECT_EQ(ChangeFileExt("/a.b/menu", ".mmf"), "/a.b/menu.mmf");
  EXPECT_EQ(ChangeFileExt("C:\\x.y\\menu.old.nff", ""), "C:\\x.y\\menu.old");
  EXPECT_EQ(ChangeFileExt("menu.", ".nfv"), "menu.nfv");
  EXPECT_EQ(ExtractFilePath("/a/b/c.nff"), "/a/b/");
  EXPECT_EQ(ExtractFileName("/a/b/c.nff"), "c.nff");
}

TEST(Cp1252, everyByte_survivesUtf8AndBack) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(Cp1252ToUtf8("\xFC\xB6\x80"), "\xC3\xBC\xC2\xB6\xE2\x82\xAC");
  EXPECT_FALSE(Utf8ToCp1252("\xE4\xB8\x80", back));  // a character the code page lacks
  EXPECT_FALSE(Utf8ToCp1252("\xC3", back));          // cut short
}

}  // namespace
}  // namespace navforge

namespace navforge {
namespace {

// The one-pass form must give exactly what splitting and joining gives.
TEST(NormalizeLines, result_equalsJoiningTheSplitLines) {
  for (const char* t : {"", "abc", "a\r\nb", "a\rb\nc\r\n", "\r\n\r\n", "\n", "x\r", "\r\r\n\n"}) {
    const std::string text(t);
    EXPECT_EQ(NormalizeLines(text), JoinLines(SplitLines(text))) << text;
  }
  const std::string withNul("a\r\nb\0c\nd", 8);
  EXPECT_EQ(NormalizeLines(withNul), "a\r\nb\r\n");
}

}  // namespace
}  // namespace navforge
