// Random menus, settings and variables files resaved: the menu each file means comes
// from the random menu model, the files spell it in random layouts, and each result is
// checked against that meaning and against the bytes the current format prescribes.
// The command runs in process, from its arguments, in folders kept in memory (on disk
// every save waits for its forced writes); one case runs the built navforge-cli.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>

#include "cli/commands.h"
#include "cli/options.h"
#include "persist/formatfields.h"
#include "testsupport/randommenu.h"
#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ModelEntry;
using test::Random;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using Vars = std::vector<std::pair<std::string, std::string>>;

const std::string kSep = "\xB6";

// Texts of the separator-delimited files as read; the separator byte among them is
// written as its entity.
const char* const kSeparatedPieces[] = {"\xFC\xF6\xE4\xDF", "\xB6", "\xB6", "$",         "$Title$",
                                        "$caption$ $link$", " ",    ";",    "&amp;para", "\t",
                                        "\x80\x9F\xFF",     "Text"};
std::string SeparatedText(Random& r) { return r.Some(kSeparatedPieces, 3); }
// Variable names as stored: without "$".
const char* const kNamePieces[] = {"\xFC\xF6\xE4\xDF", "\xB6", "Title",        "caption link", " ", ";",
                                   "&amp;para",        "\t",   "\x80\x9F\xFF", "Text"};
// Companion texts are taken literally and cannot hold ";" (so no entity either).
const char* const kCompanionPieces[] = {"\xFC", "\xB6", "&para", "&PARA", "$", "$Title$", " ", "x", "\t", ""};
std::string CompanionText(Random& r) { return r.Some(kCompanionPieces, 3); }

struct NamedColour {
  const char* name;
  std::uint32_t value;
};
const NamedColour kNamedColours[] = {
    {"clRed", 0xFF}, {"clNone", 0x1FFFFFFF}, {"clInfoBk", 0x80000018}, {"clWhite", 0xFFFFFF}, {"clBlack", 0}};

std::int32_t RandomColour(Random& r) {
  switch (r.Below(5)) {
    case 0: return static_cast<std::int32_t>(r.Pick(kNamedColours).value);
    case 1:
    case 2: return r.Below(1 << 24);
    case 3: return static_cast<std::int32_t>(0x80000000u + static_cast<std::uint32_t>(r.Below(40)));
    default: return clNone;
  }
}

test::MenuKnobs CurrentFormatMenus() {
  test::MenuKnobs k;
  k.MostEntries = 7;
  k.SubPercent = 29;
  k.BlankPercent = 8;  // room for lines of separators only
  k.Caption = k.Link = k.Target = k.VarValue = SeparatedText;
  k.Colour = RandomColour;
  k.Text = [](Random& r, const FormatField&) -> std::optional<std::string> {
    static const char* const texts[] = {"Gr\xFC\xDF" "e \xB6 &para;", "$Title$", "", "Arial, \"Times\"",
                                        "<hr size=1>", "C:\\Web\\nav.htm", "12px"};
    if (r.Chance(20)) return std::nullopt;
    return std::string(r.Pick(texts));
  };
  k.MostVars = 5;
  k.VarName = [](Random& r) { return r.Some(kNamePieces, 3); };
  return k;
}

test::MenuKnobs LegacyMenus() {
  test::MenuKnobs k;
  k.FewestEntries = 1;
  k.MostEntries = 6;
  k.SubPercent = 50;
  k.Caption = k.Link = k.Target = CompanionText;
  return k;
}

std::string LineEnd(Random& r) {
  static const char* const ends[] = {"\r\n", "\n", "\r"};
  return r.Pick(ends);
}
// The end of a line whose text may be empty: after a lone CR, an empty line ended by
// LF would join it to one CR LF, so that choice is left out.
std::string LineEndAfter(Random& r, const std::string& text, const std::string& previousEnd) {
  std::string end = LineEnd(r);
  while (text.empty() && previousEnd == "\r" && end == "\n") end = LineEnd(r);
  return end;
}

// The separator byte written as its entity, in any letter case.
std::string Written(Random& r, const std::string& text) {
  std::string out;
  for (char c : text) out += c == kSep[0] ? r.MixCase("&para;", 50) : std::string(1, c);
  return out;
}

std::string Esc(const std::string& s) {
  std::string out;
  for (char c : s) out += c == kSep[0] ? std::string("&para;") : std::string(1, c);
  return out;
}

// What the current format holds for these entries.
std::string MenuBytes(const std::vector<ModelEntry>& entries) {
  std::string out = "NFF 2\r\n";
  for (const ModelEntry& e : entries)
    out += Esc(e.Caption) + kSep + Esc(e.Link) + kSep + Esc(e.Target) + kSep + (e.Sub ? "1" : "0") + "\r\n";
  return out;
}

std::string VarBytes(const Vars& vars) {
  std::string out;
  for (const auto& [name, value] : vars) out += Esc(name) + kSep + Esc(value) + "\r\n";
  return out;
}

// A version 2 menu file with the nasty parts, meaning entries.
std::string MenuFile(Random& r, const std::vector<ModelEntry>& entries) {
  static const char* const headers[] = {"NFF 2", " nff 2 \t", "NFF2", "\x01NfF +2", "NFF $2", "NFF 0x2"};
  static const char* const notSub[] = {"0", "", " 1", "01", "true"};
  std::string file = r.Pick(headers) + LineEnd(r);
  for (const ModelEntry& e : entries) {
    if (r.Chance(25)) file += LineEnd(r);  // empty lines are skipped
    const bool bare = e.Link.empty() && e.Target.empty() && !e.Sub;
    if (bare && e.Caption.empty() && r.Chance(33)) {
      file += kSep + kSep;  // a line of separators only
    } else if (bare && r.Coin()) {
      file += e.Caption.empty() ? kSep : Written(r, e.Caption);  // the caption alone; an empty line is skipped
    } else {
      file += Written(r, e.Caption) + kSep + Written(r, e.Link) + kSep + Written(r, e.Target) + kSep +
              (e.Sub ? "1" : r.Pick(notSub));
      if (r.Chance(25)) file += kSep + "extra\xB6" "fields";
    }
    file += LineEnd(r);
  }
  if (r.Chance(33)) file += std::string("\0", 1) + "after the zero byte\xB6\xB6\xB6" "1\r\n";
  return file;
}

// A variables file meaning vars, with lines that add nothing among them.
std::string VarsFile(Random& r, const Vars& vars) {
  std::string file;
  for (const auto& [name, value] : vars) {
    while (r.Chance(30))  // an empty line, a line without a name
      file += r.Coin() ? LineEnd(r) : kSep + Written(r, SeparatedText(r)) + LineEnd(r);
    // "$" anywhere in a name is dropped on reading; a name of "$" only is the empty name.
    std::string written;
    for (char c : name) written += (r.Chance(15) ? "$" : "") + std::string(1, c);
    if (written.empty() || r.Chance(15)) written += name.empty() && r.Coin() ? "$$" : "$";
    file += Written(r, written) + kSep + Written(r, value);
    if (r.Chance(25)) file += kSep + "ignored";
    file += LineEnd(r);
  }
  return file;
}

// One of the spellings a settings file may give the colour; "" leaves the key out.
std::string ColourText(Random& r, std::int32_t colour) {
  const auto u = static_cast<std::uint32_t>(colour);
  std::vector<std::string> forms;
  for (const NamedColour& c : kNamedColours)
    if (c.value == u) forms.push_back(r.MixCase(c.name, 50));
  char buf[16];
  if (u < (1u << 24)) {
    std::snprintf(buf, sizeof buf, "$%06x", u);
    forms.push_back(buf);
    forms.push_back(" " + std::to_string(u) + " ");
  }
  if (u >= 0x80000000u) {
    std::snprintf(buf, sizeof buf, "0x%X", u);
    forms.push_back(buf);
  }
  if (colour == clNone) forms.push_back("");
  return forms[static_cast<std::size_t>(r.Below(static_cast<int>(forms.size())))];
}

// A settings file in a random hand-made layout meaning format.
std::string SettingsFile(Random& r, const TMenuFormat& format) {
  std::string file = "; written by hand\r\n[Other]\nTitle=not this\r\n[" + r.MixCase("main", 50) + "]" + LineEnd(r);
  for (const FormatField& field : FormatFields) {
    const std::string key = r.MixCase(std::string(field.Key), 50);
    if (field.Kind == FieldKind::Color) {
      const std::string text = ColourText(r, format.*field.Color);
      if (!text.empty()) file += key + "=" + text + LineEnd(r);
      continue;
    }
    const std::string& text = format.*field.Text;
    if (text == DefaultFieldText(field) && r.Coin()) continue;  // key left out: the default
    switch (r.Below(3)) {
      case 0: file += key + "=  " + text + "\t"; break;
      case 1: file += key + "=\"" + text + "\""; break;
      default: file += key + "=" + text; break;
    }
    file += LineEnd(r);
  }
  return file;
}

// A legacy menu file with its companion meaning entries. The companion may have fewer
// lines than there are entries: the entries past its end are left without texts.
std::pair<std::string, std::string> LegacyFiles(Random& r, std::vector<ModelEntry>& entries) {
  std::string menu, companion, end;
  for (const ModelEntry& e : entries) {
    std::string line = (e.Sub ? "\t" : (r.Coin() ? "" : " ")) + CompanionText(r);
    if (!e.Sub && !line.empty() && line[0] == '\t') line.insert(0, "M");  // only a leading TAB marks a sub-entry
    end = LineEndAfter(r, line, end);
    menu += line + end;
  }
  end.clear();
  const std::size_t lines = static_cast<std::size_t>(r.Below(static_cast<int>(entries.size()) + 3));
  for (std::size_t k = 0; k < lines; ++k) {
    const ModelEntry e =
        k < entries.size() ? entries[k] : ModelEntry{CompanionText(r), CompanionText(r), CompanionText(r)};
    std::string line = e.Caption + ";" + e.Link + ";" + e.Target;
    switch (r.Below(4)) {
      case 0:
        if (e.Link.empty() && e.Target.empty()) line = e.Caption;
        break;
      case 1:
        if (e.Target.empty()) line = e.Caption + ";" + e.Link;
        break;
      case 2: line += ";ignored"; break;
      default: break;
    }
    end = LineEndAfter(r, line, end);
    companion += line + end;
  }
  for (std::size_t k = lines; k < entries.size(); ++k) entries[k].Caption = entries[k].Link = entries[k].Target = "";
  return {menu, companion};
}

void ExpectFormat(const TMenuFormat& got, const TMenuFormat& want, const std::string& where) {
  for (const FormatField& field : FormatFields)
    EXPECT_EQ(FieldText(got, field), FieldText(want, field)) << where << field.Key;
}

using Runner = std::function<test::CliRun(const std::vector<std::string>&)>;

// The command as navforge-cli runs it, from its arguments, in this process.
test::CliRun InProcess(const std::vector<std::string>& args) {
  const cli::ParseResult parsed = cli::ParseArguments(args);
  if (!parsed.ok) return {cli::kExitUsage, "", parsed.error};
  std::ostringstream out, err;
  const int exitCode = cli::Run(parsed.options, out, err);
  return {exitCode, out.str(), err.str()};
}

test::CliRun Program(const std::vector<std::string>& args) { return test::RunNavforgeCli(args); }

test::CliRun Resave(const TempDir& dir, const std::string& from, const std::string& to, const Runner& run = InProcess) {
  return run({"resave", "--variables", dir.file("vars.nfv"), dir.file(from), dir.file(to)});
}

// One random menu with settings and variables, resaved three times.
void CurrentFormatRoundTrip(unsigned seed, const Runner& run, test::TempIn where) {
  Random r(seed);
  const test::MenuModel m = test::RandomMenu(r, CurrentFormatMenus());
  TempDir dir(where);
  WriteFile(dir.file("in.nff"), MenuFile(r, m.Items));
  WriteFile(dir.file("in.nfs"), SettingsFile(r, m.Format));
  WriteFile(dir.file("vars.nfv"), VarsFile(r, m.Vars));

  test::CliRun r1 = Resave(dir, "in.nff", "one.nff", run);
  ASSERT_EQ(r1.exitCode, 0) << r1.err;
  EXPECT_EQ(ReadFile(dir.file("one.nff")), MenuBytes(m.Items));
  EXPECT_EQ(ReadFile(dir.file("vars.nfv")), VarBytes(m.Vars));
  TMenuFormat loaded;
  LoadSettings(loaded, dir.file("one"), 2);
  ExpectFormat(loaded, m.Format, "settings ");

  // The second save reads what the first wrote: menu and settings stay byte for byte;
  // a variable with an empty name was written as a line starting with the separator,
  // which adds nothing when read again.
  test::CliRun r2 = Resave(dir, "one.nff", "two.nff", run);
  ASSERT_EQ(r2.exitCode, 0) << r2.err;
  EXPECT_EQ(ReadFile(dir.file("two.nff")), ReadFile(dir.file("one.nff")));
  EXPECT_EQ(ReadFile(dir.file("two.nfs")), ReadFile(dir.file("one.nfs")));
  Vars named;
  for (const auto& v : m.Vars)
    if (!v.first.empty()) named.push_back(v);
  EXPECT_EQ(ReadFile(dir.file("vars.nfv")), VarBytes(named));
  test::CliRun r3 = Resave(dir, "two.nff", "three.nff", run);
  ASSERT_EQ(r3.exitCode, 0) << r3.err;
  EXPECT_EQ(ReadFile(dir.file("vars.nfv")), VarBytes(named));
}

TEST(ResaveRoundTrip, currentFormatMenus_keepEverything) {
  for (unsigned seed = 1; seed <= 400 && !::testing::Test::HasFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    CurrentFormatRoundTrip(seed, InProcess, test::TempIn::Memory);
  }
}

// The built program, on disk, gives what the command in process gives.
TEST(ResaveRoundTrip, navforgeCli_keepsEverythingToo) { CurrentFormatRoundTrip(1, Program, test::TempIn::Default); }

TEST(ResaveRoundTrip, legacyMenus_convertWithoutLoss) {
  for (unsigned seed = 100; seed <= 400 && !::testing::Test::HasFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Random r(seed);
    std::vector<ModelEntry> entries = test::RandomMenu(r, LegacyMenus()).Items;
    TempDir dir(test::TempIn::Memory);
    auto [menu, companion] = LegacyFiles(r, entries);
    WriteFile(dir.file("old.men"), menu);
    WriteFile(dir.file("old.mmf"), companion);
    WriteFile(dir.file("old.msf"),
              "[Main]\r\npanel4=clRed\r\npanel5=$0000FF00\r\ntitlename= Alt \r\ncbfont=\"Verdana\"\r\n"
              "hr=<br>\r\nTemplate=ignored\r\n");
    WriteFile(dir.file("old.nfs"), "[Main]\r\nTitle=not read for a legacy menu\r\n");
    WriteFile(dir.file("vars.nfv"), "");

    test::CliRun r1 = Resave(dir, "old.men", "new.nff");
    ASSERT_EQ(r1.exitCode, 0) << r1.err;
    // Companion texts are taken literally: only the separator byte is escaped on writing.
    EXPECT_EQ(ReadFile(dir.file("new.nff")), MenuBytes(entries));
    EXPECT_EQ(ReadFile(dir.file("old.mmf")), companion);
    TMenuFormat want;
    want.VLinkColor = 0xFF;
    want.ALinkColor = 0xFF00;
    want.Title = "Alt";
    want.Font = "Verdana";
    TMenuFormat loaded;
    LoadSettings(loaded, dir.file("new"), 2);
    ExpectFormat(loaded, want, "legacy settings ");
    EXPECT_EQ(ReadFile(dir.file("vars.nfv")), "");

    // Read again in the current format, nothing changes: the companion could hold no
    // entity, and the escaped separator bytes come back as they were.
    test::CliRun r2 = Resave(dir, "new.nff", "again.nff");
    ASSERT_EQ(r2.exitCode, 0) << r2.err;
    EXPECT_EQ(ReadFile(dir.file("again.nff")), ReadFile(dir.file("new.nff")));
    EXPECT_EQ(ReadFile(dir.file("again.nfs")), ReadFile(dir.file("new.nfs")));
  }
}

TEST(ResaveRoundTrip, unknownVersion_isAnErrorAndWritesNothing) {
  TempDir dir;
  const std::string menu = "NFF 3\r\nA\xB6\xB6\xB6" "0\r\n", settings = "[Main]\r\nTitle=x\r\n", vars = "a\xB6" "b\n";
  WriteFile(dir.file("in.nff"), menu);
  WriteFile(dir.file("in.nfs"), settings);
  WriteFile(dir.file("vars.nfv"), vars);
  for (const char* to : {"out.nff", "in.nff"}) {
    test::CliRun r = Resave(dir, "in.nff", to);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Die Menüdatei " + dir.file("in.nff") +
                         " hat eine unbekannte Version (3) und kann nicht gelesen werden.\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.nff")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.nfs")));
  EXPECT_EQ(ReadFile(dir.file("in.nff")), menu);
  EXPECT_EQ(ReadFile(dir.file("in.nfs")), settings);
  EXPECT_EQ(ReadFile(dir.file("vars.nfv")), vars);
}

TEST(ResaveRoundTrip, failedSave_leavesTheTargetsAlone) {
  TempDir dir;
  WriteFile(dir.file("in.nff"), "NFF 2\r\nA\xB6\xB6\xB6" "0\r\n");
  WriteFile(dir.file("vars.nfv"), "a\xB6" "b\r\n");
  test::CliRun r = Resave(dir, "in.nff", "missing/out.nff");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Fehler beim Erstellen der Datei " + dir.file("missing/out.nff") + "\n");
  EXPECT_EQ(ReadFile(dir.file("vars.nfv")), "a\xB6" "b\r\n");

  // The settings file cannot be replaced: the menu is written, the variables file is not.
  test::MakeDir(dir.file("out.nfs"));
  WriteFile(dir.file("vars.nfv"), "a\xB6" "b\n");
  r = Resave(dir, "in.nff", "out.nff");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Fehler beim Schreiben nach " + dir.file("out.nfs") + "\n");
  EXPECT_EQ(ReadFile(dir.file("out.nff")), "NFF 2\r\nA\xB6\xB6\xB6" "0\r\n");
  EXPECT_EQ(ReadFile(dir.file("vars.nfv")), "a\xB6" "b\n");
}

}  // namespace
}  // namespace navforge
