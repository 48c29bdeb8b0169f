// Generation on random menus and template sets compared with a plain reading of the
// algorithms kept here: a ReplaceAll that searches again from the very start after
// every replacement, pages put together piece by piece, identifiers found by a linear
// search. The pages on disk must be byte-identical.
#include <gtest/gtest.h>

#include "support/fsname.h"

#include <filesystem>
#include <map>
#include <optional>
#include <random>

#include "core/ovhtml.h"
#include "support/errors.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

// ---- the plain reading -------------------------------------------------------------

char FoldAZ(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
std::string LowerAZ(std::string s) {
  for (char& c : s) c = FoldAZ(c);
  return s;
}

void PlainReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement) {
  if (pattern.empty() || text.empty()) return;
  const std::string pat = LowerAZ(pattern);
  if (LowerAZ(replacement).find(pat) != std::string::npos) {
    // Rescanning would never end; the project's rule: one forward pass.
    std::string out;
    const std::string low = LowerAZ(text);
    std::size_t pos = 0;
    for (std::size_t q; (q = low.find(pat, pos)) != std::string::npos; pos = q + pat.size())
      out += text.substr(pos, q - pos) + replacement;
    text = out + text.substr(pos);
    return;
  }
  while (true) {
    const std::size_t q = LowerAZ(text).find(pat);
    if (q == std::string::npos) return;
    text.replace(q, pattern.size(), replacement);
    if (text.size() > (1u << 22)) throw std::runtime_error("reference text grows without end");
  }
}

std::vector<std::string> PlainLines(const std::string& bytes) {
  std::string text = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  std::string cur;
  bool open = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(cur);
      cur.clear();
      open = false;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += text[i];
      open = true;
    }
  }
  if (open) lines.push_back(cur);
  return lines;
}

std::string PlainJoin(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

std::optional<long long> PlainInteger(std::string v) {
  std::size_t i = 0;
  while (i < v.size() && v[i] == ' ') ++i;
  v = v.substr(i);
  auto hex = [](const std::string& d) -> std::optional<long long> {
    if (d.empty() || d.size() > 8) return std::nullopt;
    long long r = 0;
    for (char c : d) {
      const char l = FoldAZ(c);
      if (l >= '0' && l <= '9') r = r * 16 + (l - '0');
      else if (l >= 'a' && l <= 'f') r = r * 16 + (l - 'a' + 10);
      else return std::nullopt;
    }
    return r;
  };
  if (v.rfind("$", 0) == 0) return hex(v.substr(1));
  if (v.rfind("0x", 0) == 0 || v.rfind("0X", 0) == 0) return hex(v.substr(2));
  std::size_t k = (!v.empty() && (v[0] == '-' || v[0] == '+')) ? 1 : 0;
  if (k == v.size() || v.size() - k > 9) return std::nullopt;
  long long r = 0;
  for (; k < v.size(); ++k) {
    if (v[k] < '0' || v[k] > '9') return std::nullopt;
    r = r * 10 + (v[k] - '0');
  }
  return v[0] == '-' ? -r : r;
}

// "all_in_one" of the first [Main] section (any letter case), trimmed.
bool PlainAllInOne(const std::optional<std::string>& ini) {
  if (!ini) return false;
  bool inMain = false, seenMain = false;
  for (const std::string& raw : PlainLines(*ini)) {
    std::string line = raw;
    while (!line.empty() && line.front() == ' ') line.erase(line.begin());
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      const bool main = LowerAZ(line) == "[main]";
      inMain = main && !seenMain;
      seenMain = seenMain || main;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!inMain || eq == std::string::npos) continue;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    while (!value.empty() && value.front() == ' ') value.erase(value.begin());
    if (LowerAZ(key) != "all_in_one") continue;
    const auto n = PlainInteger(value);
    return n && *n != 0;
  }
  return false;
}

std::string PlainColour(std::int32_t c) {
  if (c == clNone) return "";
  static const char* d = "0123456789ABCDEF";
  std::string s = "#";
  for (int shift : {0, 8, 16}) {
    const unsigned v = (static_cast<std::uint32_t>(c) >> shift) & 0xFF;
    s += d[v >> 4];
    s += d[v & 15];
  }
  return s;
}

struct Entry {
  std::string Caption, Link, Target;
  bool Sub = false;
};

struct Case {
  std::map<std::string, std::optional<std::string>> files;  // set file -> bytes (nullopt: missing)
  std::map<std::string, std::string> diskNames;             // set file -> name written on disk
  std::vector<Entry> items;
  TMenuFormat format;
  std::vector<std::pair<std::string, std::string>> vars;  // as AddVariable takes them
};

struct Written {
  std::vector<std::pair<std::string, std::string>> pages;  // path, bytes, in write order
  bool fails = false;                                      // the page after the last one cannot be made
};

bool SameCp1252(const std::string& a, const std::string& b) {
  auto low = [](std::string s) {
    for (char& ch : s) {
      const auto c = static_cast<unsigned char>(ch);
      if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = static_cast<char>(c + 32);
      else if (c == 0x8A || c == 0x8C || c == 0x8E) ch = static_cast<char>(c + 16);
      else if (c == 0x9F) ch = static_cast<char>(0xFF);
    }
    return s;
  };
  return low(a) == low(b);
}

Written PlainGenerate(const Case& c, const TParseList& vars) {
  const TMenuFormat& f = c.format;
  std::vector<Entry> items = c.items;
  const int n = static_cast<int>(items.size());
  std::vector<std::string> ids;
  for (const Entry& e : items) {
    std::string cand = e.Caption;
    for (int k = 1;; cand = e.Caption + std::to_string(++k)) {
      bool taken = false;
      for (const auto& t : ids) taken = taken || SameCp1252(t, cand);
      if (!taken) break;
    }
    ids.push_back(cand);
  }
  auto frag = [&](const char* name) {
    const auto& b = c.files.at(name);
    return b ? PlainJoin(PlainLines(*b)) : std::string();
  };
  const bool allInOne = PlainAllInOne(c.files.at("template.ini"));
  const std::string header = frag("header.txt"), footer = frag("footer.txt"), menupoint = frag("menupoint.txt"),
                    active = frag("activemenupoint.txt"), between = frag("BetweenMenupoints.txt"),
                    subpoint = frag("SubmenuPoint.txt"), betweenSub = frag("BetweenSubmenuPoints.txt");

  std::string ext;
  {
    std::string t = f.fileext;
    while (!t.empty() && static_cast<unsigned char>(t.front()) <= 32) t.erase(t.begin());
    while (!t.empty() && static_cast<unsigned char>(t.back()) <= 32) t.pop_back();
    if (!t.empty()) ext = t[0] == '.' ? t : "." + t;
    else {
      const std::size_t sep = f.Filename.find_last_of("/\\");
      const std::string name = sep == std::string::npos ? f.Filename : f.Filename.substr(sep + 1);
      const std::size_t dot = name.rfind('.');
      ext = dot == std::string::npos ? "" : name.substr(dot);
    }
  }
  const std::string dir = f.Filename.substr(0, f.Filename.find_last_of("/\\") + 1);

  // The main entries in order; sub-entries before the first main entry stand as main
  // entries of their own.
  std::vector<int> mains;
  int leading = 0;
  while (leading < n && items[leading].Sub) mains.push_back(leading++);
  for (int i = leading; i < n; ++i)
    if (!items[i].Sub) mains.push_back(i);
  const int count = static_cast<int>(mains.size());
  auto hasSub = [&](int i) { return !items[i].Sub && i + 1 < n && items[i + 1].Sub; };

  auto renderSubs = [&](int i) {
    std::string r;
    if (!hasSub(i)) return r;
    int last = i + 1;
    while (last + 1 < n && items[last + 1].Sub) ++last;
    for (int k = i + 1; k <= last; ++k) {
      std::string s = subpoint;
      const Entry& e = items[k];
      PlainReplaceAll(s, "$Linkname$", e.Caption);
      PlainReplaceAll(s, "$LinkTarget$", e.Target);
      PlainReplaceAll(s, "$LinkID$", ids[k]);
      PlainReplaceAll(s, "$FirstLetter$", e.Caption.substr(0, 1));
      PlainReplaceAll(s, "$RestLetter$", e.Caption.empty() ? "" : e.Caption.substr(1));
      PlainReplaceAll(s, "$Link$", e.Link);
      r += s + "\r\n";
      if (k < last) r += betweenSub + "\r\n";
    }
    return r;
  };

  auto page = [&](const std::string& path, int activeOrdinal) {
    std::string text = header + "\r\n";
    for (int o = 1; o <= count; ++o) {
      const int i = mains[o - 1];
      const Entry& e = items[i];
      const bool isActive = activeOrdinal == -1 ? hasSub(i) : activeOrdinal == o;
      std::string s = isActive ? active : menupoint;
      PlainReplaceAll(s, "$Linkname$", e.Caption);
      PlainReplaceAll(s, "$LinkID$", ids[i]);
      PlainReplaceAll(s, "$FirstLetter$", e.Caption.substr(0, 1));
      PlainReplaceAll(s, "$RestLetter$", e.Caption.empty() ? "" : e.Caption.substr(1));
      PlainReplaceAll(s, "$LinkTarget$", hasSub(i) ? "_self" : e.Target);
      PlainReplaceAll(s, "$Link$", hasSub(i) ? ids[i] + ext : e.Link);
      PlainReplaceAll(s, "$submenu$", renderSubs(i));
      if (o < count) s += between;
      text += s + "\r\n";
    }
    text += footer + "\r\n";
    const std::pair<const char*, std::string> steps[] = {
        {"$TextColor$", PlainColour(f.TextColor)},   {"$BackgroundColor$", PlainColour(f.BackgroundColor)},
        {"$LinkColor$", PlainColour(f.LinkColor)},   {"$ALinkColor$", PlainColour(f.ALinkColor)},
        {"$VLinkColor$", PlainColour(f.VLinkColor)}, {"$HoverColor$", PlainColour(f.HoverColor)},
        {"$FirstLetterColor$", PlainColour(f.FirstLetterColor)},
        {"$Title$", f.Title},                         {"$FontSize$", f.FontSize},
        {"$Font$", f.Font},                           {"$FileName$", f.Filename},
        {"$CurrentFilename$", path},                  {"$SubMenuFont$", f.SubmenuFont},
        {"$SubMenuFontSize$", f.SubmenuFontSize},     {"$SubMenuLeftMargin$", f.SubmenuLeftMargin},
        {"$BackgroundImage$", f.BackgroundImage},     {"$hr$", f.hr},
        {"\r\n\r\n", "\r\n"}};
    for (const auto& [p, v] : steps) PlainReplaceAll(text, p, v);
    for (const TVarItem& v : vars.Vars) PlainReplaceAll(text, "$" + v.Name + "$", v.Value);
    return PlainJoin(PlainLines(text));
  };

  Written w;
  if (allInOne) {
    w.pages.emplace_back(f.Filename, page(f.Filename, -1));
    return w;
  }
  w.pages.emplace_back(f.Filename, page(f.Filename, 0));
  for (int o = 1; o <= count; ++o) {
    const int i = mains[o - 1];
    if (!hasSub(i)) continue;
    const std::string path = dir + ids[i] + ext;
    if (path.back() == '/') {
      w.fails = true;
      return w;
    }
    w.pages.emplace_back(path, page(path, o));
  }
  return w;
}

// ---- random cases ------------------------------------------------------------------

class Random {
public:
  explicit Random(unsigned seed) : gen_(seed) {}
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&a)[N]) {
    return a[Below(static_cast<int>(N))];
  }
  std::string MixCase(std::string s) {
    for (char& c : s)
      if (Chance(30)) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return s;
  }

private:
  std::mt19937 gen_;
};

const char* const kPlaceholders[] = {
    "$Linkname$",  "$LinkID$",    "$FirstLetter$", "$RestLetter$",      "$LinkTarget$",       "$Link$",
    "$submenu$",   "$TextColor$", "$BackgroundColor$", "$LinkColor$",   "$ALinkColor$",       "$VLinkColor$",
    "$HoverColor$", "$FirstLetterColor$", "$Title$", "$FontSize$",      "$Font$",             "$FileName$",
    "$CurrentFilename$", "$SubMenuFont$", "$SubMenuFontSize$", "$SubMenuLeftMargin$", "$BackgroundImage$",
    "$hr$",        "$v$",         "$V2$",          "$$",                "$Ti",                "tle$"};
const char* const kPieces[] = {"<li>", "x", "\xE4", "$", " ", "\r\n", "\n", "\r", "\r\n\r\n", "\n\n", "\xC4$"};

std::string RandomFragment(Random& r) {
  std::string s;
  const int parts = r.Below(9);
  for (int i = 0; i < parts; ++i) {
    if (r.Chance(45)) s += r.MixCase(r.Pick(kPlaceholders));
    else s += r.Pick(kPieces);
    if (r.Chance(3)) s += std::string(1, '\0') + "after nul $Title$";
  }
  return s;
}

Case RandomCase(Random& r, const std::string& out) {
  Case c;
  const char* const names[] = {"header.txt",          "footer.txt",           "menupoint.txt",
                               "activemenupoint.txt", "BetweenMenupoints.txt", "SubmenuPoint.txt",
                               "BetweenSubmenuPoints.txt"};
  for (const char* name : names) {
    c.files[name] = r.Chance(15) ? std::nullopt : std::optional<std::string>(RandomFragment(r));
    c.diskNames[name] = r.Chance(20) ? r.MixCase(name) : name;
  }
  const char* const values[] = {"1", "0", "yes", "0x1", "$10", "-1", "0x0", " 7", "2a", "$"};
  const char* const sections[] = {"[Main]", "[main]", "[MAIN]", "[Other]"};
  if (r.Chance(15)) {
    c.files["template.ini"] = std::nullopt;
  } else {
    std::string ini;
    if (r.Chance(30)) ini += "[Other]\r\nall_in_one=1\r\n";
    ini += std::string(r.Pick(sections)) + (r.Chance(50) ? "\r\n" : "\n");
    if (r.Chance(85)) ini += r.MixCase("all_in_one") + "=" + r.Pick(values) + "\r\n";
    c.files["template.ini"] = ini;
  }
  c.diskNames["template.ini"] = r.Chance(20) ? "Template.INI" : "template.ini";

  const char* const captions[] = {"Home", "home", "HOME", "Home2", "Produkte", "$Title$", "$linkname$", "\xDC" "ber",
                                  "\xFC" "ber", "a$", "$hr$", "", "x y", "$LINK$", "$submenu$", "$v$"};
  const char* const links[] = {"a.htm", "", "$Link$", "b.htm", "$LinkID$"};
  const char* const targets[] = {"main", "", "_self", "$LinkTarget$"};
  const int n = r.Below(8);
  for (int i = 0; i < n; ++i)
    c.items.push_back({r.Pick(captions), r.Pick(links), r.Pick(targets), r.Chance(40)});

  const char* const texts[] = {"", "T", "$Font$", "Arial", "$v$", "\r\n\r\n", "$title$", "a$"};
  TMenuFormat& f = c.format;
  for (std::int32_t* colour : {&f.TextColor, &f.BackgroundColor, &f.LinkColor, &f.ALinkColor, &f.VLinkColor,
                               &f.HoverColor, &f.FirstLetterColor})
    *colour = r.Chance(30) ? clNone : static_cast<std::int32_t>(r.Below(0x7FFFFFFF));
  for (std::string* text : {&f.Title, &f.Font, &f.FontSize, &f.SubmenuFont, &f.SubmenuFontSize, &f.SubmenuLeftMargin,
                            &f.BackgroundImage, &f.hr})
    *text = r.Pick(texts);
  const char* const exts[] = {"", "html", ".php", " htm ", "\t.x\n"};
  f.fileext = r.Pick(exts);
  const char* const files[] = {"nav.htm", "menu", "nav.html", "Home.htm"};
  f.Filename = out + "/" + r.Pick(files);
  f.Template = "Set";

  const char* const varNames[] = {"v", "V2", "Title", "$$", "x$y", "hr"};
  // Values may hold lone CR, lone LF and a zero byte, which the page's line rule handles.
  const std::string varValues[] = {"a", "\r\n\r\n", "$v$", "$Title$", "", "b$", "x\ry\r", "\nz\n",
                                   std::string("n\0$Title$", 9)};
  const int nv = r.Below(5);
  for (int i = 0; i < nv; ++i) c.vars.emplace_back(r.Pick(varNames), r.Pick(varValues));
  return c;
}

TEST(GenerateAgainstPlainReading, randomMenusAndSetsGiveIdenticalPages) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Random r(seed);
    test::TempDir dir;
    const std::string out = dir.file("out");
    test::MakeDir(out);
    test::MakeDir(dir.file("Templates"));
    test::MakeDir(dir.file("Templates/Set"));
    const Case c = RandomCase(r, out);
    for (const auto& [name, bytes] : c.files)
      if (bytes) test::WriteFile(dir.file("Templates/Set/" + c.diskNames.at(name)), *bytes);

    TovHTML doc;
    doc.TemplateRoot = dir.file("Templates");
    static_cast<TMenuFormat&>(doc) = c.format;
    for (const Entry& e : c.items) doc.InsertItem(-1, e.Caption, e.Link, e.Target, e.Sub);
    for (const auto& [name, value] : c.vars) doc.Variables.AddVariable(name, value);
    std::vector<std::string> written;
    doc.OnPageWritten = [&](const std::string& p) { written.push_back(p); };
    test::RecordingNotifier notes;
    ScopedNotifier scoped(notes);

    const Written expected = PlainGenerate(c, doc.Variables);
    bool failed = false;
    try {
      doc.Generate();
    } catch (const EFCreateError&) {
      failed = true;
    }
    EXPECT_TRUE(notes.Messages.empty());
    EXPECT_EQ(failed, expected.fails);

    std::vector<std::string> expectedPaths;
    std::map<std::string, std::string> finalBytes;
    for (const auto& [path, bytes] : expected.pages) {
      expectedPaths.push_back(path);
      finalBytes[path] = bytes;
    }
    EXPECT_EQ(written, expectedPaths);
    std::size_t onDisk = 0;
    for (const auto& e : fs::directory_iterator(out)) {
      ++onDisk;
      // The disk holds UTF-8 names; the program's paths are Windows-1252.
      const std::string path = FromFsName(e.path().string());
      ASSERT_TRUE(finalBytes.count(path)) << "unexpected file " << path;
      EXPECT_EQ(test::ReadFile(e.path().string()), finalBytes[path]) << path;
    }
    EXPECT_EQ(onDisk, finalBytes.size());
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace navforge
