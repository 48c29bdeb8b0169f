#include "support/versioninfo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "elfimage.h"
#include "navforge_version.h"
#include "support/paths.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::BuildElf;
using test::TElfImage;
using test::TElfLayout;
using test::VersionBlock;

const std::string kCopyright = "Copyright \xA9"" 2026 Orvane Software";

TElfImage ImageWithBlock(const TElfLayout& layout = {}) {
  return BuildElf({{".text", std::string(32, '\x90')},
                   {".navforge_version", VersionBlock({{"CompanyName", "Orvane Software"},
                                                       {"LegalCopyright", kCopyright},
                                                       {"ProductVersion", "2.1"}})},
                   {".data", "xyz"}},
                  layout);
}

// The block the build put into this test program.
TEST(VersionInfoBuilt, ownProgram_yieldsEveryTextOfTheBlock) {
  const std::string self = ProgramFile();
  EXPECT_EQ(GetVersionString(self, "CompanyName"), "Orvane Software");
  EXPECT_EQ(GetVersionString(self, "FileDescription"), "Navforge Testl\xE4ufer");
  EXPECT_EQ(GetVersionString(self, "FileVersion"), NAVFORGE_FILE_VERSION);
  EXPECT_EQ(GetVersionString(self, "LegalCopyright"), kCopyright);
  EXPECT_EQ(GetVersionString(self, "ProductName"), "HTML Navforge");
  EXPECT_EQ(GetVersionString(self, "ProductVersion"), NAVFORGE_PRODUCT_VERSION);
}

TEST(VersionInfoBuilt, keyIsMatchedWithoutCase_andMissingKeyIsEmpty) {
  const std::string self = ProgramFile();
  EXPECT_EQ(GetVersionString(self, "legalcopyright"), kCopyright);
  EXPECT_EQ(GetVersionString(self, "InternalName"), "");
  EXPECT_EQ(GetVersionString(self, ""), "");
  EXPECT_EQ(GetVersionString(self, "LegalCopyrightX"), "");
}

TEST(VersionInfoBuilt, libraryWithoutBlock_isEmpty) {
  // A real ELF file that the build gives no version information.
  const std::string lib = NAVFORGE_TEST_NOENTRY_MODULE;
  ASSERT_EQ(GetVersionString(lib, "CompanyName").size(), 0u);
  struct stat st {};
  ASSERT_EQ(::stat(lib.c_str(), &st), 0) << "the library must exist for this test to mean anything";
}

#ifdef NAVFORGE_HAVE_CLI
TEST(VersionInfoBuilt, commandLineProgram_carriesItsCopyright) {
  EXPECT_EQ(GetVersionString(NAVFORGE_BIN_DIR "/navforge-cli", "LegalCopyright"), kCopyright);
  EXPECT_EQ(GetVersionString(NAVFORGE_BIN_DIR "/navforge-cli", "ProductVersion"), NAVFORGE_PRODUCT_VERSION);
}
#endif

#ifdef NAVFORGE_HAVE_MODULES
TEST(VersionInfoBuilt, dialogModules_carryTheirOwnDescriptions) {
  EXPECT_EQ(GetVersionString(NAVFORGE_BIN_DIR "/about.dll", "FileDescription"), "HTML Navforge Info-Dialog");
  EXPECT_EQ(GetVersionString(NAVFORGE_BIN_DIR "/verctrl.dll", "FileDescription"), "HTML Navforge Versionskontrolle");
  EXPECT_EQ(GetVersionString(NAVFORGE_BIN_DIR "/verctrl.dll", "ProductVersion"), NAVFORGE_PRODUCT_VERSION);
}
#endif

TEST(VersionInfoFiles, unreadableOrForeignFiles_areEmpty) {
  test::TempDir dir;
  test::WriteFile(dir.file("text.txt"), "LegalCopyright\0NFVINFO1 not an executable");
  test::MakeDir(dir.file("folder"));
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  test::WriteFile(dir.file("empty"), "");
  EXPECT_EQ(GetVersionString(dir.file("text.txt"), "LegalCopyright"), "");
  EXPECT_EQ(GetVersionString(dir.file("missing"), "LegalCopyright"), "");
  EXPECT_EQ(GetVersionString(dir.file("folder"), "LegalCopyright"), "");
  EXPECT_EQ(GetVersionString(dir.file("fifo"), "LegalCopyright"), "");  // must not wait for a writer
  EXPECT_EQ(GetVersionString(dir.file("empty"), "LegalCopyright"), "");
  EXPECT_EQ(GetVersionString("", "LegalCopyright"), "");
}

TEST(VersionInfoFiles, imageOnDisk_readsLikeImageInMemory) {
  test::TempDir dir;
  TElfImage img = ImageWithBlock();
  test::WriteFile(dir.file("prog"), img.Bytes);
  EXPECT_EQ(GetVersionString(dir.file("prog"), "LegalCopyright"), kCopyright);
  EXPECT_EQ(GetVersionString(dir.file("prog"), "CompanyName"), "Orvane Software");
  ::chmod(dir.file("prog").c_str(), 0);
  if (::geteuid() != 0) {
    EXPECT_EQ(GetVersionString(dir.file("prog"), "LegalCopyright"), "");
  }
}

class VersionInfoLayouts : public ::testing::TestWithParam<TElfLayout> {};

TEST_P(VersionInfoLayouts, blockIsFound_inEveryClassAndByteOrder) {
  TElfImage img = ImageWithBlock(GetParam());
  EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), kCopyright);
  EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "ProductVersion"), "2.1");
  EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "FileVersion"), "");
}

TEST_P(VersionInfoLayouts, everyTruncation_isEmpty) {
  // The section table lies last, so no proper prefix of the file holds all of it.
  TElfImage img = ImageWithBlock(GetParam());
  for (std::size_t n = 0; n < img.Bytes.size(); ++n)
    ASSERT_EQ(GetVersionStringFromImage(std::string_view(img.Bytes).substr(0, n), "LegalCopyright"), "")
        << "prefix of " << n << " bytes";
}

TEST_P(VersionInfoLayouts, everySingleByteDamage_staysInsideTheImage) {
  // Whatever a damaged byte does, the answer is made of the image's own bytes (or is
  // empty); the sanitizer build also catches any read outside the image.
  TElfImage img = ImageWithBlock(GetParam());
  std::size_t found = 0;
  for (std::size_t i = 0; i < img.Bytes.size(); ++i)
    for (unsigned char v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      std::string damaged = img.Bytes;
      damaged[i] = static_cast<char>(v);
      std::string got = GetVersionStringFromImage(damaged, "LegalCopyright");
      ASSERT_NE(damaged.find(got), std::string::npos) << "byte " << i << " = " << int(v);
      found += got == kCopyright;
    }
  // Damage to bytes the lookup never reads (code, padding) leaves the answer intact.
  EXPECT_GT(found, 32u * 5u);
}

INSTANTIATE_TEST_SUITE_P(All, VersionInfoLayouts,
                         ::testing::Values(TElfLayout{true, false, false}, TElfLayout{false, false, false},
                                           TElfLayout{true, true, false}, TElfLayout{false, true, false},
                                           TElfLayout{true, false, true}, TElfLayout{false, true, true}));

TEST(VersionInfoDamage, sectionsThatPointOutsideTheFile_areEmpty) {
  const std::size_t block = 2;  // header index of ".navforge_version"
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.OffsetField(block), img.Bytes.size() - 4, 8);
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.OffsetField(block), ~std::uint64_t{0} - 2, 8);  // offset + size wraps around
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.SizeField(block), ~std::uint64_t{0}, 8);
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.NameField(block), 0xFFFFFFF0u, 4);  // name beyond the name table
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.ShStrNdxField(), 40, 2);  // name table index beyond the table
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.ShNumField(), 0xFF00, 2);  // more headers than the file holds
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.ShEntSizeField(), 16, 2);  // headers smaller than the class's
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
  {
    TElfImage img = ImageWithBlock();
    img.Put(img.ShOffField(), ~std::uint64_t{0} - 100, 8);
    EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), "");
  }
}

TEST(VersionInfoDamage, largerEntriesThanTheClassNeeds_areStillRead) {
  // Section headers may be padded; the reader steps by the stated entry size.
  TElfImage plain = ImageWithBlock({false, false, false});
  TElfImage img = plain;
  const std::size_t count = img.NameTableIndex + 1;
  std::string table = img.Bytes.substr(static_cast<std::size_t>(img.SectionTable));
  img.Bytes.resize(static_cast<std::size_t>(img.SectionTable));
  for (std::size_t i = 0; i < count; ++i) img.Bytes += table.substr(i * 40, 40) + std::string(8, '\xEE');
  img.Put(img.ShEntSizeField(), 48, 2);
  EXPECT_EQ(GetVersionStringFromImage(img.Bytes, "LegalCopyright"), kCopyright);
}

TEST(VersionInfoDamage, damagedBlocks_areEmpty) {
  auto lookup = [](const std::string& data, std::uint32_t type = 1) {
    return GetVersionStringFromImage(BuildElf({{".navforge_version", data, type}}).Bytes, "LegalCopyright");
  };
  EXPECT_EQ(lookup(VersionBlock({{"LegalCopyright", "c"}})), "c");
  EXPECT_EQ(lookup(VersionBlock({{"LegalCopyright", "c"}}), 8), "");  // SHT_NOBITS: no bytes
  EXPECT_EQ(lookup("NFVINFO2" + VersionBlock({{"LegalCopyright", "c"}}).substr(8)), "");
  EXPECT_EQ(lookup(std::string("NFVINFO1LegalCopyright\0unterminated", 35)), "");
  EXPECT_EQ(lookup(std::string("NFVINFO1LegalCopyright", 22)), "");
  EXPECT_EQ(lookup("NFVINFO"), "");
  EXPECT_EQ(lookup(""), "");
  // Pairs after the end mark are not part of the block.
  EXPECT_EQ(lookup(VersionBlock({{"A", "1"}}) + std::string("LegalCopyright\0late\0", 20)), "");
  // An empty value is a value.
  EXPECT_EQ(lookup(VersionBlock({{"LegalCopyright", ""}, {"X", "y"}})), "");
  EXPECT_EQ(lookup(VersionBlock({{"X", ""}, {"LegalCopyright", "after empty"}})), "after empty");
}

TEST(VersionInfoDamage, similarSectionNames_areNotTheBlock) {
  const std::string block = VersionBlock({{"LegalCopyright", "c"}});
  EXPECT_EQ(GetVersionStringFromImage(BuildElf({{".navforge_versionx", block}}).Bytes, "LegalCopyright"), "");
  EXPECT_EQ(GetVersionStringFromImage(BuildElf({{".navforge_versio", block}}).Bytes, "LegalCopyright"), "");
  EXPECT_EQ(GetVersionStringFromImage(BuildElf({{".NAVFORGE_VERSION", block}}).Bytes, "LegalCopyright"), "");
  // The first section of the name counts.
  EXPECT_EQ(GetVersionStringFromImage(
                BuildElf({{".navforge_version", block}, {".navforge_version", VersionBlock({{"LegalCopyright", "d"}})}})
                    .Bytes,
                "LegalCopyright"),
            "c");
}

TEST(VersionInfoDamage, notElf_isEmpty) {
  TElfImage img = ImageWithBlock();
  std::string bad = img.Bytes;
  bad[1] = 'e';
  EXPECT_EQ(GetVersionStringFromImage(bad, "LegalCopyright"), "");
  bad = img.Bytes;
  bad[4] = 3;  // no such class
  EXPECT_EQ(GetVersionStringFromImage(bad, "LegalCopyright"), "");
  bad = img.Bytes;
  bad[5] = 0;  // no such byte order
  EXPECT_EQ(GetVersionStringFromImage(bad, "LegalCopyright"), "");
}

}  // namespace
}  // namespace navforge
