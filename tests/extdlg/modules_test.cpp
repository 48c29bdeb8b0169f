#include "extdlg/modules.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "extdlg/moduleapi.h"
#include "support/paths.h"
#include "support/versioninfo.h"
#include "testsupport/tempdir.h"
#include "testmodule.h"

namespace navforge {
namespace {

std::string Received(const TModuleCall& call, int i) { return FromShortString(call.Texts[i]); }

// Whether the process still has the library file mapped.
bool StillLoaded(const std::string& path) {
  void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (h) ::dlclose(h);
  return h != nullptr;
}

class ModuleLoading : public ::testing::Test {
protected:
  void SetUp() override {
    test::MakeDir(shared());
    test::MakeDir(program());
  }
  void TearDown() override { ReleaseModules(); }

  std::string shared() const { return dir.file("common/OVS Shared"); }
  std::string program() const { return dir.file("bin"); }
  TModuleFolders folders() const { return TModuleFolders{shared(), program()}; }
  static void Copy(const std::string& from, const std::string& to) { std::filesystem::copy_file(from, to); }
  void Entry(const std::string& folder, const char* name) { Copy(NAVFORGE_TEST_ENTRY_MODULE, folder + "/" + name); }

  test::TempDir dir;
};

TEST_F(ModuleLoading, moduleInProgramFolder_isLoadedAndCalledWithTheTexts) {
  Entry(program(), "about.dll");
  ASSERT_TRUE(LoadAboutModule(folders()));
  EXPECT_TRUE(AboutModuleLoaded());
  EXPECT_EQ(AboutModulePath(), program() + "/about.dll");

  TModuleCall call;
  test::RecordingNotifier notes;
  ScopedNotifier scope(notes);
  ShowAboutDialog(&call, "HTML Navforge 2.1", "", "Hinweis \xA9", "", 0);
  ASSERT_EQ(call.Calls, 1);
  EXPECT_STREQ(call.Entry, "showaboutdialog");
  EXPECT_EQ(call.Application, &call);
  EXPECT_EQ(Received(call, 0), "HTML Navforge 2.1");
  EXPECT_EQ(Received(call, 1), "");
  EXPECT_EQ(Received(call, 2), "Hinweis \xA9");
  EXPECT_EQ(Received(call, 3), "");
  EXPECT_EQ(call.Value, 0);
  EXPECT_EQ(std::filesystem::path(call.ModuleFile), std::filesystem::path(program() + "/about.dll"));
  EXPECT_TRUE(notes.Messages.empty());
}

TEST_F(ModuleLoading, moduleInBothFolders_sharedFolderWins) {
  Entry(shared(), "about.dll");
  Entry(program(), "about.dll");
  ASSERT_TRUE(LoadAboutModule(folders()));
  EXPECT_EQ(AboutModulePath(), shared() + "/about.dll");
  TModuleCall call;
  ShowAboutDialog(&call, "x", "", "", "", 0);
  EXPECT_EQ(std::filesystem::path(call.ModuleFile), std::filesystem::path(shared() + "/about.dll"));
  EXPECT_FALSE(StillLoaded(program() + "/about.dll"));
}

TEST_F(ModuleLoading, sharedFolderWithTrailingSeparator_isJoinedOnce) {
  Entry(shared(), "verctrl.dll");
  ASSERT_TRUE(LoadVersionModule(TModuleFolders{shared() + "/", ""}));
  EXPECT_EQ(VersionModulePath(), shared() + "/verctrl.dll");
}

TEST_F(ModuleLoading, versionModule_receivesTheProductKeyThird) {
  Entry(program(), "verctrl.dll");
  ASSERT_TRUE(LoadVersionModule(folders()));
  EXPECT_TRUE(VersionModuleLoaded());
  EXPECT_FALSE(AboutModuleLoaded());  // each module is looked for on its own
  TModuleCall call;
  ShowVersionControlDialog(&call, "", "", "navforge", "");
  ASSERT_EQ(call.Calls, 1);
  EXPECT_STREQ(call.Entry, "showvercontroldialog");
  EXPECT_EQ(Received(call, 2), "navforge");
  EXPECT_EQ(Received(call, 0), "");
}

TEST_F(ModuleLoading, libraryWithoutEntryPoint_isReleasedAndNotLoaded) {
  Copy(NAVFORGE_TEST_NOENTRY_MODULE, shared() + "/about.dll");
  Entry(program(), "about.dll");
  EXPECT_FALSE(LoadAboutModule(folders()));  // the first place that holds the file decides
  EXPECT_FALSE(AboutModuleLoaded());
  EXPECT_EQ(AboutModulePath(), "");
  EXPECT_FALSE(StillLoaded(shared() + "/about.dll"));
  EXPECT_FALSE(StillLoaded(program() + "/about.dll"));
}

TEST_F(ModuleLoading, fileThatIsNotALibrary_isNotLoaded) {
  test::WriteFile(shared() + "/verctrl.dll", "MZ\x90\0 a library for another platform");
  Entry(program(), "verctrl.dll");
  EXPECT_FALSE(LoadVersionModule(folders()));
  EXPECT_FALSE(VersionModuleLoaded());
  TModuleCall call;
  ShowVersionControlDialog(&call, "", "", "navforge", "");  // no module: nothing happens
  EXPECT_EQ(call.Calls, 0);
}

TEST_F(ModuleLoading, folderNamedLikeTheModule_isNotAFile) {
  test::MakeDir(shared() + "/about.dll");
  Entry(program(), "about.dll");
  ASSERT_TRUE(LoadAboutModule(folders()));
  EXPECT_EQ(AboutModulePath(), program() + "/about.dll");
}

TEST_F(ModuleLoading, missingEverywhereOrUnknownFolders_isNotLoaded) {
  EXPECT_FALSE(LoadAboutModule(folders()));
  EXPECT_FALSE(LoadVersionModule(folders()));
  EXPECT_FALSE(LoadAboutModule(TModuleFolders{}));
}

TEST_F(ModuleLoading, relativeFolders_areNeverSearched) {
  // A bare "OVS Shared" would resolve against the current folder, which file dialogs
  // move to wherever the user last browsed.
  Entry(shared(), "about.dll");
  Entry(program(), "verctrl.dll");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.file("common"));
  bool about = LoadAboutModule(TModuleFolders{"OVS Shared", ""});
  std::filesystem::current_path(dir.path());
  bool version = LoadVersionModule(TModuleFolders{"", "bin"});
  std::filesystem::current_path(before);
  EXPECT_FALSE(about);
  EXPECT_FALSE(version);
}

TEST_F(ModuleLoading, loadingAgain_releasesTheEarlierLibrary) {
  Entry(shared(), "about.dll");
  Entry(program(), "about.dll");
  ASSERT_TRUE(LoadAboutModule(folders()));
  ASSERT_TRUE(StillLoaded(shared() + "/about.dll"));
  ASSERT_TRUE(LoadAboutModule(TModuleFolders{"", program()}));
  EXPECT_FALSE(StillLoaded(shared() + "/about.dll"));
  EXPECT_TRUE(StillLoaded(program() + "/about.dll"));
}

TEST_F(ModuleLoading, release_unloadsBothOnce) {
  Entry(shared(), "about.dll");
  Entry(shared(), "verctrl.dll");
  ASSERT_TRUE(LoadAboutModule(folders()));
  ASSERT_TRUE(LoadVersionModule(folders()));
  ReleaseModules();
  EXPECT_FALSE(AboutModuleLoaded());
  EXPECT_FALSE(VersionModuleLoaded());
  EXPECT_FALSE(StillLoaded(shared() + "/about.dll"));
  EXPECT_FALSE(StillLoaded(shared() + "/verctrl.dll"));
  ReleaseModules();  // nothing left: harmless
  EXPECT_FALSE(AboutModuleLoaded());
}

TEST_F(ModuleLoading, longTexts_areCutAt255Bytes) {
  Entry(program(), "about.dll");
  ASSERT_TRUE(LoadAboutModule(folders()));
  TModuleCall call;
  std::string longText(300, 'a');
  longText[254] = 'z';
  ShowAboutDialog(&call, longText, std::string(255, 'b'), "", "", -5);
  EXPECT_EQ(Received(call, 0), std::string(254, 'a') + "z");
  EXPECT_EQ(Received(call, 1), std::string(255, 'b'));
  EXPECT_EQ(call.Value, -5);
}

TEST(AboutFallback, withoutModule_showsCopyrightAndHomepage) {
  ReleaseModules();
  test::RecordingNotifier notes;
  ScopedNotifier scope(notes);
  TModuleCall call;
  ShowAboutDialog(&call, "HTML Navforge 2.1", "", "", "", 0);
  EXPECT_EQ(call.Calls, 0);
  ASSERT_EQ(notes.Messages.size(), 1u);
  EXPECT_EQ(notes.Messages[0],
            "Copyright \xA9"" 2026 Orvane Software\r\n\r\nHomepage: https://www.orvane.example/navforge/");
  EXPECT_EQ(AboutFallbackText(), notes.Messages[0]);
}

TEST(ShortString, anyText_isHeldAsLengthThenBytes) {
  TShortString s("ab\xFC");
  EXPECT_EQ(s.Bytes[0], 3);
  EXPECT_EQ(s.Bytes[3], 0xFC);
  EXPECT_EQ(FromShortString(s.data()), "ab\xFC");
  EXPECT_EQ(FromShortString(TShortString().data()), "");
  EXPECT_EQ(FromShortString(nullptr), "");
  EXPECT_EQ(TShortString(std::string(256, 'x')).Bytes[0], 255);
}

#ifdef NAVFORGE_HAVE_MODULES
TEST(BuiltModules, lieBesideTheProgram_andExportTheirEntryPoints) {
  ASSERT_TRUE(LoadAboutModule(TModuleFolders{"", NAVFORGE_BIN_DIR}));
  ASSERT_TRUE(LoadVersionModule(TModuleFolders{"", NAVFORGE_BIN_DIR}));
  EXPECT_EQ(AboutModulePath(), std::string(NAVFORGE_BIN_DIR) + "/about.dll");
  ReleaseModules();
}
#endif

}  // namespace
}  // namespace navforge
