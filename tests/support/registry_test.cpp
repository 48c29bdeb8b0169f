#include "support/registry.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/cp1252literal.h"
#include "support/errors.h"
#include "testsupport/expectthrow.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

// Points NAVFORGE_REGISTRY at a file in a temporary folder for one test.
class RegistryFile : public ::testing::Test {
protected:
  void SetUp() override { ::setenv("NAVFORGE_REGISTRY", path().c_str(), 1); }
  void TearDown() override { ::unsetenv("NAVFORGE_REGISTRY"); }
  std::string path() const { return dir.file("registry"); }
  void Write(std::string_view text) { test::WriteFile(path(), text); }

  test::TempDir dir;
};

constexpr std::string_view kSystemKey = "[\\Software\\Microsoft\\Windows\\CurrentVersion]\n";

TEST(RegistryPath, environment_overridesTheDefault) {
  ::setenv("NAVFORGE_REGISTRY", "/tmp/elsewhere", 1);
  EXPECT_EQ(RegistryFilePath(), "/tmp/elsewhere");
  ::setenv("NAVFORGE_REGISTRY", "", 1);
  EXPECT_EQ(RegistryFilePath(), "/etc/navforge/registry");
  ::unsetenv("NAVFORGE_REGISTRY");
  EXPECT_EQ(RegistryFilePath(), "/etc/navforge/registry");
}

TEST_F(RegistryFile, makersValue_givesSharedFolderWithOrWithoutTrailingSeparator) {
  Write("[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=sz:/srv/Shared\n");
  EXPECT_EQ(FindCommonFilesFolder(), "/srv/Shared");
  EXPECT_EQ(GetSharedFolder(), "/srv/Shared/OVS Shared");
  Write("[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=sz:/srv/Shared/\n");
  EXPECT_EQ(GetSharedFolder(), "/srv/Shared/OVS Shared");
}

TEST_F(RegistryFile, makersValue_winsOverSystemValue) {
  Write(std::string(kSystemKey) + "CommonFilesDir=sz:/usr/common\n"
        "[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=sz:/opt/orvane\n");
  EXPECT_EQ(FindCommonFilesFolder(), "/opt/orvane");
}

TEST_F(RegistryFile, makersKeyWithoutValue_usesSystemValue) {
  Write("[\\Software\\Orvane Software\\Paths]\nOther=sz:x\n" + std::string(kSystemKey) +
        "CommonFilesDir=sz:/usr/common\n");
  EXPECT_EQ(FindCommonFilesFolder(), "/usr/common");
  EXPECT_EQ(GetSharedFolder(), "/usr/common/OVS Shared");
}

TEST_F(RegistryFile, noMakersKey_usesSystemValue) {
  Write(std::string(kSystemKey) + "CommonFilesDir=expand_sz:/usr/common\n");
  EXPECT_EQ(GetSharedFolder(), "/usr/common/OVS Shared");
}

TEST_F(RegistryFile, emptyMakersValue_isTheAnswerAndLeavesTheSharedFolderUnknown) {
  // The system value is not consulted once the maker's value exists, even empty.
  Write("[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=sz:\n" + std::string(kSystemKey) +
        "CommonFilesDir=sz:/usr/common\n");
  EXPECT_EQ(FindCommonFilesFolder(), "");
  EXPECT_EQ(GetSharedFolder(), "");
}

TEST_F(RegistryFile, noFileOrNoValues_leaveTheSharedFolderUnknown) {
  EXPECT_EQ(FindCommonFilesFolder(), "");  // no file at all
  EXPECT_EQ(GetSharedFolder(), "");
  Write("");
  EXPECT_EQ(GetSharedFolder(), "");
  Write(std::string(kSystemKey) + "Other=sz:/x\n");
  EXPECT_EQ(GetSharedFolder(), "");
}

TEST_F(RegistryFile, systemKeyMissing_readsSystemValueNameFromMakersKey) {
  // The failed open leaves the maker's key open, and the value is looked for there.
  Write("[\\Software\\Orvane Software\\Paths]\nCommonFilesDir=sz:/from/paths\n");
  EXPECT_EQ(FindCommonFilesFolder(), "/from/paths");
}

TEST_F(RegistryFile, nonTextValue_raisesRegistryError) {
  Write("[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=dword:17\n");
  EXPECT_THROW_MSG(FindCommonFilesFolder(), ERegistryError, "Ungültiger Datentyp für 'OVCommonFiles'"_cp1252);
  for (const char* kind : {"multi_sz", "qword", "binary", "DWORD"}) {
    Write(std::string(kSystemKey) + "CommonFilesDir=" + kind + ":00\n");
    EXPECT_THROW(GetSharedFolder(), ERegistryError) << kind;
  }
}

TEST_F(RegistryFile, crBeforeLfOrAtTheEnd_endsTheLineAndALoneCrIsText) {
  Write("[\\K]\r\nA=x\ry\r\nB=z\r");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_EQ(reg.ReadString("A"), "x\ry");
  EXPECT_EQ(reg.ReadString("B"), "z");
}

TEST_F(RegistryFile, textKinds_areReadUnexpandedAndCutAtZero) {
  Write("[\\K]\nPlain=/a b \nExpand=expand_sz:$HOME/x\nUrl=http://host/\nSz=sz:dword:1\nZero=sz:ab" +
        std::string(1, '\0') + "cd\nEmpty=\n");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\K", false));
  EXPECT_EQ(reg.ReadString("Plain"), "/a b ");  // no kind: the whole text, blanks kept
  EXPECT_EQ(reg.ReadString("Expand"), "$HOME/x");
  EXPECT_EQ(reg.ReadString("Url"), "http://host/");  // "http" is no kind
  EXPECT_EQ(reg.ReadString("Sz"), "dword:1");
  EXPECT_EQ(reg.ReadString("Zero"), "ab");
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
}

TEST_F(RegistryFile, keysAndValueNames_ignoreCaseAndSeparatorsAreNormalised) {
  Write("[\\SOFTWARE\\orvane software\\paths\\]\novcommonfiles=sz:/c\n");
  EXPECT_EQ(GetSharedFolder(), "/c/OVS Shared");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(reg.OpenKey("Software\\Orvane Software\\Paths", false));
  EXPECT_TRUE(reg.OpenKey("\\software\\\\ORVANE SOFTWARE\\Paths\\", false));
  EXPECT_EQ(reg.ReadString("OVCOMMONFILES"), "/c");
}

TEST_F(RegistryFile, parentsOfAKey_existButHoldNoValues) {
  Write("[\\A\\B\\C]\nV=sz:1\n");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(reg.OpenKey("\\A", false));
  EXPECT_FALSE(reg.ValueExists("V"));
  EXPECT_TRUE(reg.OpenKey("\\A\\B", false));
  EXPECT_TRUE(reg.OpenKey("", false));  // the root
  EXPECT_FALSE(reg.OpenKey("\\A\\B\\C\\D", false));
  EXPECT_FALSE(reg.OpenKey("\\B", false));
}

TEST_F(RegistryFile, failedOpen_keepsTheOpenKeyAndCloseForgetsIt) {
  Write("[\\A]\nV=sz:a\n");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\A", false));
  EXPECT_FALSE(reg.OpenKey("\\Missing", false));
  EXPECT_TRUE(reg.HasOpenKey());
  EXPECT_EQ(reg.CurrentPath(), "\\A");
  EXPECT_EQ(reg.ReadString("V"), "a");
  reg.CloseKey();
  EXPECT_FALSE(reg.HasOpenKey());
  EXPECT_FALSE(reg.ValueExists("V"));
  EXPECT_EQ(reg.ReadString("V"), "");
}

TEST_F(RegistryFile, otherRoots_holdNoKeys) {
  Write("[\\A]\nV=sz:a\n");
  TRegistry reg(path());
  EXPECT_EQ(reg.RootKey(), TRootKey::HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey("\\A", false));
  EXPECT_FALSE(reg.OpenKey("\\A", true));
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\A", false));
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);  // the same root keeps the key open
  EXPECT_EQ(reg.ReadString("V"), "a");
  reg.SetRootKey(TRootKey::HKEY_CURRENT_USER);  // another root closes it
  EXPECT_FALSE(reg.HasOpenKey());
}

TEST_F(RegistryFile, makerKey_opensNameAndSubNameFromAnyRoot) {
  Write("[\\Software\\Orvane Software\\Navforge\\Recent]\n[\\Software\\Orvane Software\\Paths]\n");
  TRegistry reg(path());
  EXPECT_TRUE(OpenMakerKey(reg, "Paths", "", false));
  EXPECT_EQ(reg.RootKey(), TRootKey::HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.CurrentPath(), "\\Software\\Orvane Software\\Paths");
  EXPECT_TRUE(OpenMakerKey(reg, "Navforge", "Recent", false));
  EXPECT_EQ(reg.CurrentPath(), "\\Software\\Orvane Software\\Navforge\\Recent");
  EXPECT_FALSE(OpenMakerKey(reg, "Navforge", "Other", false));
  EXPECT_FALSE(OpenMakerKey(reg, "Missing", "", false));
}

TEST_F(RegistryFile, createdKey_isWrittenToTheFileAndKeepsWhatWasThere) {
  Write("; machine values\n[\\A]\nV=sz:a");
  {
    TRegistry reg(path());
    ASSERT_TRUE(OpenMakerKey(reg, "Navforge", "Neu", true));
    EXPECT_FALSE(reg.ValueExists("V"));
  }
  TRegistry again(path());
  EXPECT_TRUE(OpenMakerKey(again, "Navforge", "Neu", false));
  EXPECT_TRUE(OpenMakerKey(again, "Navforge", "", false));  // its parent came with it
  ASSERT_TRUE(again.OpenKey("\\A", false));
  EXPECT_EQ(again.ReadString("V"), "a");
}

TEST_F(RegistryFile, keyThatCannotBeWritten_isNotCreated) {
  TRegistry missingFolder(dir.file("no/such/registry"));
  EXPECT_FALSE(OpenMakerKey(missingFolder, "Navforge", "", true));
  EXPECT_FALSE(missingFolder.HasOpenKey());
  Write("[\\A]\n");
  ::chmod(dir.path().c_str(), 0500);
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into a write-protected folder";
  TRegistry reg(path());
  EXPECT_FALSE(OpenMakerKey(reg, "Navforge", "", true));
  EXPECT_FALSE(reg.HasOpenKey());
}

TEST_F(RegistryFile, utf8FileTexts_becomeWindows1252) {
  Write("[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=sz:/srv/Gemeinsame Dateien/B\xC3\xBC""cher\n"
        "[\\K\xC3\xA4]\nRaw=sz:\xFC\n");
  EXPECT_EQ(FindCommonFilesFolder(), "/srv/Gemeinsame Dateien/B\xFC""cher");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\K\xE4", false));
  EXPECT_EQ(reg.ReadString("Raw"), "\xFC");  // not UTF-8: taken as it is
}

TEST_F(RegistryFile, firstLineOfANameCounts_andStrayLinesAreIgnored) {
  Write("V=sz:outside\r\n# comment\r\n[\\A]\r\n  V = sz:first\r\nV=sz:second\r\nno equals sign\r\n"
        "=sz:nameless\r\n[\\A]\r\nW=sz:w\r\n");
  TRegistry reg(path());
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\A", false));
  EXPECT_EQ(reg.ReadString("V"), "first");
  EXPECT_EQ(reg.ReadString("W"), "w");  // a repeated section adds to the key
  EXPECT_FALSE(reg.ValueExists(""));
  ASSERT_TRUE(reg.OpenKey("", false));
  EXPECT_FALSE(reg.ValueExists("V"));
}

// A key nested half a million levels deep: every ancestor exists, and reading the file
// takes memory in proportion to it (storing every ancestor's path would take ~125 GB).
TEST_F(RegistryFile, deeplyNestedKey_hasEveryAncestor) {
  std::string deep;
  for (int i = 0; i < 500000; ++i) deep += "\\K";
  Write("[" + deep + "]\nName=sz:deep\n[\\Other]\n");
  TRegistry registry;
  registry.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey(deep, false));
  EXPECT_EQ(registry.ReadString("Name"), "deep");
  EXPECT_TRUE(registry.OpenKey(deep.substr(0, 2000), false));
  EXPECT_FALSE(registry.ValueExists("Name"));
  EXPECT_TRUE(registry.OpenKey("\\k\\K", false));
  EXPECT_FALSE(registry.OpenKey("\\K\\L", false));
  EXPECT_FALSE(registry.OpenKey("\\Oth", false));
}

}  // namespace
}  // namespace navforge
