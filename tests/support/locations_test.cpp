#include "support/locations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "support/folders.h"
#include "support/textfile.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

// Sets an environment variable for one scope (nullopt: unset) and restores it.
class ScopedEnv {
public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Locations, variablesFile_besideAWritableProgramElseInTheUsersConfig) {
  test::TempDir dir;
  test::MakeDir(dir.file("prog"));
  const std::string prog = dir.file("prog/"), gone = dir.file("gone/");  // a folder nobody can write to
  const struct {
    std::string programFolder;
    std::optional<std::string> xdg, home;
    std::string file, shipped;
  } cases[] = {
      {prog, dir.file("cfg"), dir.path(), prog + "navforge.nfv", ""},
      {gone, dir.file("cfg"), dir.path(), dir.file("cfg/navforge/navforge.nfv"), gone + "navforge.nfv"},
      {gone, std::nullopt, dir.path(), dir.file(".config/navforge/navforge.nfv"), gone + "navforge.nfv"},
      {gone, "relative/cfg", dir.path(), dir.file(".config/navforge/navforge.nfv"), gone + "navforge.nfv"},
  };
  for (const auto& c : cases) {
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg), home("HOME", c.home);
    const TLocations l = LocationsFor(c.programFolder);
    EXPECT_EQ(l.VariablesFile, c.file) << c.programFolder;
    EXPECT_EQ(l.ShippedVariables, c.shipped) << c.programFolder;
  }
}

TEST(Locations, templateRoots_shippedInAnyCaseThenTheUsersData) {
  test::TempDir dir;
  test::MakeDir(dir.file("prog/templates"));
  ScopedEnv xdg("XDG_DATA_HOME", dir.file("data"));
  const TLocations l = LocationsFor(dir.file("prog/"));
  EXPECT_EQ(l.TemplateRoot, dir.file("prog/templates"));
  EXPECT_EQ(l.UserTemplateRoot, dir.file("data/navforge/Templates"));
}

TEST(Locations, userSets_followTheShippedOnesAndReplaceTheirNamesakes) {
  test::TempDir dir;
  for (const char* set : {"shipped/Blau", "shipped/Gr\xC3\xBCn", "shipped/Rot", "user/gr\xC3\xBCn", "user/Eigen"})
    test::MakeDir(dir.file(set));
  std::vector<std::string> names = ListTemplateSets(dir.file("shipped"), dir.file("user"));
  ASSERT_EQ(names.size(), 4u);
  std::sort(names.begin(), names.begin() + 2);
  std::sort(names.begin() + 2, names.end());
  // "Grün" and "grün" differ in an ASCII letter's case only: the user's replaces it.
  EXPECT_EQ(names, (std::vector<std::string>{"Blau", "Rot", "Eigen", "gr\xC3\xBCn"}));
  EXPECT_EQ(FindTemplateSet(dir.file("shipped"), dir.file("user"), "GR\xC3\xBCN"), dir.file("user/gr\xC3\xBCn"));
  EXPECT_EQ(FindTemplateSet(dir.file("shipped"), dir.file("user"), "rot"), dir.file("shipped/Rot"));
  EXPECT_EQ(FindTemplateSet(dir.file("shipped"), "", "Eigen"), dir.file("shipped/Eigen"));
  EXPECT_EQ(ListTemplateSets(dir.file("shipped"), dir.file("none")).size(), 3u);
}

TEST(Locations, onlyTheUsersConfigFolder_isCreatedForTheFirstSave) {
  test::TempDir dir;
  ScopedEnv xdg("XDG_CONFIG_HOME", dir.file("cfg"));
  CreateUserFolderFor(dir.file("elsewhere/v.nfv"));
  EXPECT_FALSE(DirectoryExists(dir.file("elsewhere")));
  CreateUserFolderFor(dir.file("cfg/navforge/navforge.nfv"));
  EXPECT_TRUE(DirectoryExists(dir.file("cfg/navforge")));
}

}  // namespace
}  // namespace navforge
