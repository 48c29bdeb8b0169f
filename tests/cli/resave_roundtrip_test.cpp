// Random menus, settings and variables files put through `navforge-cli resave`: the
// generator knows what every file means, so each result is checked against that
// meaning and against the bytes the current format prescribes.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "persist/formatfields.h"
#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::RunNavforgeCli;
using test::TempDir;
using test::WriteFile;

const std::string kSep = "\xB6";

struct Entry {
  std::string Caption, Link, Target;
  bool Sub = false;
};

struct Var {
  std::string Name, Value;
};

// A text piece as written into a file, and what reading it gives.
struct Piece {
  std::string written, read;
};

class Gen {
public:
  explicit Gen(unsigned seed) : rng_(seed) {}
  int Int(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool Coin() { return Int(2) == 0; }

  std::string AnyCase(std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z' && Coin()) c = static_cast<char>(c - 32);
    return s;
  }

  // Texts for ¶-separated files: the separator byte must be written escaped, the
  // entity in any case reads as the separator byte.
  Piece EscapedPiece() {
    switch (Int(12)) {
      case 0: return {"\xFC\xF6\xE4\xDF", "\xFC\xF6\xE4\xDF"};
      case 1: return {AnyCase("&para;"), kSep};
      case 2: return {"&para;", kSep};
      case 3: return {"$", "$"};
      case 4: return {"$Title$", "$Title$"};
      case 5: return {"$caption$ $link$", "$caption$ $link$"};
      case 6: return {" ", " "};
      case 7: return {";", ";"};
      case 8: return {"&amp;para", "&amp;para"};
      case 9: return {"\t", "\t"};
      case 10: return {"\x80\x9F\xFF", "\x80\x9F\xFF"};
      default: return {"Text", "Text"};
    }
  }
  Piece EscapedText() {
    Piece p;
    for (int n = Int(4); n > 0; --n) {
      Piece q = EscapedPiece();
      p.written += q.written;
      p.read += q.read;
    }
    return p;
  }
  // Companion texts are not unescaped and cannot hold ";" (so no entity either).
  std::string PlainText() {
    static const char* pieces[] = {"\xFC", "\xB6", "&para", "&PARA", "$", "$Title$", " ", "x", "\t", ""};
    std::string s;
    for (int n = Int(4); n > 0; --n) s += pieces[Int(10)];
    return s;
  }
  std::string LineEnd() {
    static const char* ends[] = {"\r\n", "\n", "\r"};
    return ends[Int(3)];
  }
  // The end of a line whose text may be empty: after a lone CR, an empty line ended by
  // LF would join it to one CR LF, so that choice is left out.
  std::string LineEndAfter(const std::string& text, const std::string& previousEnd) {
    std::string end = LineEnd();
    while (text.empty() && previousEnd == "\r" && end == "\n") end = LineEnd();
    return end;
  }

private:
  std::mt19937 rng_;
};

std::string Esc(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '\xB6' ? std::string("&para;") : std::string(1, c);
  return out;
}

// What the current format holds for these entries.
std::string MenuBytes(const std::vector<Entry>& entries) {
  std::string out = "NFF 2\r\n";
  for (const Entry& e : entries)
    out += Esc(e.Caption) + kSep + Esc(e.Link) + kSep + Esc(e.Target) + kSep + (e.Sub ? "1" : "0") + "\r\n";
  return out;
}

std::string VarBytes(const std::vector<Var>& vars) {
  std::string out;
  for (const Var& v : vars) out += Esc(v.Name) + kSep + Esc(v.Value) + "\r\n";
  return out;
}

// A version 2 menu file with the nasty parts, and the entries it means.
std::string RandomMenu(Gen& g, std::vector<Entry>& entries) {
  static const char* headers[] = {"NFF 2", " nff 2 \t", "NFF2", "\x01NfF +2", "NFF $2", "NFF 0x2"};
  std::string file = headers[g.Int(6)] + g.LineEnd();
  for (int n = g.Int(8); n > 0; --n) {
    if (g.Int(4) == 0) file += g.LineEnd();  // empty lines are skipped
    Piece c = g.EscapedText(), l = g.EscapedText(), t = g.EscapedText();
    static const char* flags[] = {"1", "0", "", " 1", "01", "true", "1"};
    const std::string flag = flags[g.Int(7)];
    Entry e{c.read, l.read, t.read, flag == "1"};
    if (c.written.empty() && g.Int(3) == 0) {
      e = Entry{};  // a line of separators only
      file += kSep + kSep;
    } else if (l.written.empty() && t.written.empty() && flag != "1" && g.Coin()) {
      e = Entry{c.read, "", "", false};  // the caption alone
      file += c.written;
      if (c.written.empty()) file += kSep;  // an empty line would be skipped
    } else {
      file += c.written + kSep + l.written + kSep + t.written + kSep + flag;
      if (g.Int(4) == 0) file += kSep + std::string("extra\xB6" "fields");
    }
    entries.push_back(e);
    file += g.LineEnd();
  }
  if (g.Int(3) == 0) file += std::string("\0", 1) + "after the zero byte\xB6\xB6\xB6" "1\r\n";
  return file;
}

// A legacy menu file with its companion, and the entries they mean.
std::pair<std::string, std::string> RandomLegacy(Gen& g, std::vector<Entry>& entries) {
  std::string menu, companion, end;
  const int n = 1 + g.Int(6);
  for (int i = 0; i < n; ++i) {
    Entry e;
    e.Sub = g.Coin();
    std::string line = (e.Sub ? "\t" : (g.Coin() ? "" : " ")) + g.PlainText();
    if (!e.Sub && !line.empty() && line[0] == '\t') line.insert(0, "M");  // only a leading TAB marks a sub-entry
    end = g.LineEndAfter(line, end);
    menu += line + end;
    entries.push_back(e);
  }
  end.clear();
  const int lines = g.Int(n + 3);  // fewer, as many as, or more lines than entries
  for (int k = 0; k < lines; ++k) {
    std::string c = g.PlainText(), l = g.PlainText(), t = g.PlainText(), line;
    switch (g.Int(4)) {
      case 0: line = c; l = t = ""; break;
      case 1: line = c + ";" + l; t = ""; break;
      case 2: line = c + ";" + l + ";" + t + ";ignored"; break;
      default: line = c + ";" + l + ";" + t; break;
    }
    end = g.LineEndAfter(line, end);
    companion += line + end;
    if (k < n) {
      entries[static_cast<std::size_t>(k)].Caption = c;
      entries[static_cast<std::size_t>(k)].Link = l;
      entries[static_cast<std::size_t>(k)].Target = t;
    }
  }
  return {menu, companion};
}

std::string RandomVars(Gen& g, std::vector<Var>& vars) {
  std::string file;
  for (int n = g.Int(7); n > 0; --n) {
    Piece name = g.EscapedText(), value = g.EscapedText();
    switch (g.Int(6)) {
      case 0:
        file += g.LineEnd();  // an empty line adds nothing
        continue;
      case 1:
        file += kSep + value.written;  // no name: adds nothing
        break;
      case 2:
        file += "$$" + kSep + value.written;  // a name of "$" only: an empty name
        vars.push_back({"", value.read});
        break;
      default: {
        std::string stored;
        for (char c : name.read)
          if (c != '$') stored += c;
        if (name.written.empty()) {
          name.written = "N";
          stored = "N";
        }
        file += name.written + kSep + value.written;
        if (g.Int(4) == 0) file += kSep + std::string("ignored");
        vars.push_back({stored, value.read});
      }
    }
    file += g.LineEnd();
  }
  return file;
}

struct Colors {
  std::int32_t value;
  std::string written;
};

Colors RandomColor(Gen& g) {
  static const std::pair<const char*, std::uint32_t> named[] = {
      {"clred", 0xFF}, {"CLNONE", 0x1FFFFFFF}, {"clInfoBk", 0x80000018}, {"clwhite", 0xFFFFFF}, {"clBlack", 0}};
  switch (g.Int(5)) {
    case 0: {
      auto [n, v] = named[g.Int(5)];
      return {static_cast<std::int32_t>(v), g.AnyCase(n)};
    }
    case 1: {
      std::uint32_t v = static_cast<std::uint32_t>(g.Int(1 << 24));
      char buf[16];
      std::snprintf(buf, sizeof buf, "$%06x", v);
      return {static_cast<std::int32_t>(v), buf};
    }
    case 2: {
      std::int32_t v = g.Int(1 << 24);
      return {v, " " + std::to_string(v) + " "};
    }
    case 3: {
      std::uint32_t v = 0x80000000u + static_cast<std::uint32_t>(g.Int(40));
      char buf[16];
      std::snprintf(buf, sizeof buf, "0x%X", v);
      return {static_cast<std::int32_t>(v), buf};
    }
    default:
      return {clNone, ""};  // key left out: the default
  }
}

// A settings file in a random hand-made layout, and the values it means.
std::string RandomSettings(Gen& g, TMenuFormat& expected) {
  std::string file = "; written by hand\r\n[Other]\nTitle=not this\r\n[" + g.AnyCase("main") + "]" + g.LineEnd();
  static const char* texts[] = {"Gr\xFC\xDF" "e \xB6 &para;", "$Title$", "", "Arial, \"Times\"", "<hr size=1>",
                                "C:\\Web\\nav.htm", "12px"};
  for (const FormatField& field : FormatFields) {
    const std::string key(field.Key);
    if (field.Kind == FieldKind::Color) {
      Colors c = RandomColor(g);
      expected.*field.Color = c.value;
      if (!c.written.empty()) file += g.AnyCase(key) + "=" + c.written + g.LineEnd();
      continue;
    }
    if (g.Int(5) == 0) continue;  // default
    std::string v = texts[g.Int(7)];
    expected.*field.Text = v;
    switch (g.Int(3)) {
      case 0: v = "  " + v + "\t"; break;
      case 1: v = "\"" + v + "\""; break;
      default: break;
    }
    file += key + "=" + v + g.LineEnd();
  }
  return file;
}

void ExpectFormat(const TMenuFormat& got, const TMenuFormat& want, const std::string& where) {
  for (const FormatField& field : FormatFields)
    EXPECT_EQ(FieldText(got, field), FieldText(want, field)) << where << field.Key;
}

test::CliRun Resave(const TempDir& dir, const std::string& from, const std::string& to) {
  return RunNavforgeCli({"resave", "--variables", dir.file("vars.nfv"), dir.file(from), dir.file(to)});
}

TEST(ResaveRoundTrip, currentFormatMenus_keepEverything) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Gen g(seed);
    TempDir dir;
    std::vector<Entry> entries;
    std::vector<Var> vars;
    TMenuFormat format;
    WriteFile(dir.file("in.nff"), RandomMenu(g, entries));
    WriteFile(dir.file("in.nfs"), RandomSettings(g, format));
    WriteFile(dir.file("vars.nfv"), RandomVars(g, vars));

    test::CliRun r1 = Resave(dir, "in.nff", "one.nff");
    ASSERT_EQ(r1.exitCode, 0) << r1.err;
    EXPECT_EQ(ReadFile(dir.file("one.nff")), MenuBytes(entries));
    EXPECT_EQ(ReadFile(dir.file("vars.nfv")), VarBytes(vars));
    TMenuFormat loaded;
    LoadSettings(loaded, dir.file("one"), 2);
    ExpectFormat(loaded, format, "settings ");

    // The second save reads what the first wrote: menu and settings stay byte for byte;
    // a variable with an empty name was written as a line starting with the separator,
    // which adds nothing when read again.
    test::CliRun r2 = Resave(dir, "one.nff", "two.nff");
    ASSERT_EQ(r2.exitCode, 0) << r2.err;
    EXPECT_EQ(ReadFile(dir.file("two.nff")), ReadFile(dir.file("one.nff")));
    EXPECT_EQ(ReadFile(dir.file("two.nfs")), ReadFile(dir.file("one.nfs")));
    std::vector<Var> named;
    for (const Var& v : vars)
      if (!v.Name.empty()) named.push_back(v);
    EXPECT_EQ(ReadFile(dir.file("vars.nfv")), VarBytes(named));
    test::CliRun r3 = Resave(dir, "two.nff", "three.nff");
    ASSERT_EQ(r3.exitCode, 0) << r3.err;
    EXPECT_EQ(ReadFile(dir.file("vars.nfv")), VarBytes(named));
  }
}

TEST(ResaveRoundTrip, legacyMenus_convertWithoutLoss) {
  for (unsigned seed = 100; seed <= 140; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Gen g(seed);
    TempDir dir;
    std::vector<Entry> entries;
    auto [menu, companion] = RandomLegacy(g, entries);
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
