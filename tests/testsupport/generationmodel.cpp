#include "testsupport/generationmodel.h"

#include <stdexcept>

#include "support/cp1252.h"
#include "testsupport/tempdir.h"

namespace navforge::test {

namespace {

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
  const std::string text = bytes.substr(0, bytes.find('\0'));
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

// The first value of Key in the first [Main] section (any letter case), trimmed.
std::optional<std::string> PlainMainValue(const std::optional<std::string>& ini, const std::string& key) {
  if (!ini) return std::nullopt;
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
    std::string k = line.substr(0, eq), value = line.substr(eq + 1);
    while (!k.empty() && k.back() == ' ') k.pop_back();
    while (!value.empty() && value.front() == ' ') value.erase(value.begin());
    if (LowerAZ(k) == key) return value;
  }
  return std::nullopt;
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

}  // namespace

ModelRun ModelGenerate(const GenerationCase& c) {
  const TMenuFormat& f = c.Format;
  const std::vector<ModelEntry>& items = c.Items;
  const int n = static_cast<int>(items.size());
  std::vector<std::string> ids;
  for (const ModelEntry& e : items) {
    std::string cand = e.Caption;
    for (int k = 1;; cand = e.Caption + std::to_string(++k)) {
      bool taken = false;
      for (const auto& t : ids) taken = taken || SameCp1252(t, cand);
      if (!taken) break;
    }
    ids.push_back(cand);
  }

  const std::optional<std::string>& ini = c.Files.at("template.ini");
  const auto allInOneValue = PlainMainValue(ini, "all_in_one");
  const auto allInOneNumber = allInOneValue ? PlainInteger(*allInOneValue) : std::nullopt;
  const bool allInOne = allInOneNumber && *allInOneNumber != 0;
  const bool utf8 = LowerAZ(PlainMainValue(ini, "charset").value_or("")) == "utf-8";
  // Every value filled in: in UTF-8 for a UTF-8 set.
  auto V = [&](const std::string& s) { return utf8 ? Cp1252ToUtf8(s) : s; };
  auto frag = [&](const char* name) {
    std::string b = c.Files.at(name).value_or("");
    if (utf8 && b.rfind("\xEF\xBB\xBF", 0) == 0) b.erase(0, 3);
    return PlainJoin(PlainLines(b));
  };
  const std::string header = frag("header.txt"), footer = frag("footer.txt"), menupoint = frag("menupoint.txt"),
                    active = frag("activemenupoint.txt"), between = frag("BetweenMenupoints.txt"),
                    subpoint = frag("SubmenuPoint.txt"), betweenSub = frag("BetweenSubmenuPoints.txt");

  std::string ext;
  {
    std::string t = f.fileext;
    while (!t.empty() && static_cast<unsigned char>(t.front()) <= 32) t.erase(t.begin());
    while (!t.empty() && static_cast<unsigned char>(t.back()) <= 32) t.pop_back();
    if (!t.empty()) {
      ext = t[0] == '.' ? t : "." + t;
    } else {
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
  // The first letter is one Windows-1252 byte: split first, then convert.
  auto first = [&](const std::string& s) { return V(s.substr(0, 1)); };
  auto rest = [&](const std::string& s) { return V(s.empty() ? "" : s.substr(1)); };

  auto renderSubs = [&](int i) {
    std::string r;
    if (!hasSub(i)) return r;
    int last = i + 1;
    while (last + 1 < n && items[last + 1].Sub) ++last;
    for (int k = i + 1; k <= last; ++k) {
      std::string s = subpoint;
      const ModelEntry& e = items[k];
      PlainReplaceAll(s, "$Linkname$", V(e.Caption));
      PlainReplaceAll(s, "$LinkTarget$", V(e.Target));
      PlainReplaceAll(s, "$LinkID$", V(ids[k]));
      PlainReplaceAll(s, "$FirstLetter$", first(e.Caption));
      PlainReplaceAll(s, "$RestLetter$", rest(e.Caption));
      PlainReplaceAll(s, "$Link$", V(e.Link));
      r += s + "\r\n";
      if (k < last) r += betweenSub + "\r\n";
    }
    return r;
  };

  auto page = [&](const std::string& path, int activeOrdinal) {
    std::string text = header + "\r\n";
    for (int o = 1; o <= count; ++o) {
      const int i = mains[o - 1];
      const ModelEntry& e = items[i];
      const bool isActive = activeOrdinal == -1 ? hasSub(i) : activeOrdinal == o;
      std::string s = isActive ? active : menupoint;
      PlainReplaceAll(s, "$Linkname$", V(e.Caption));
      PlainReplaceAll(s, "$LinkID$", V(ids[i]));
      PlainReplaceAll(s, "$FirstLetter$", first(e.Caption));
      PlainReplaceAll(s, "$RestLetter$", rest(e.Caption));
      PlainReplaceAll(s, "$LinkTarget$", hasSub(i) ? "_self" : V(e.Target));
      PlainReplaceAll(s, "$Link$", V(hasSub(i) ? ids[i] + ext : e.Link));
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
        {"$Title$", V(f.Title)},                      {"$FontSize$", V(f.FontSize)},
        {"$Font$", V(f.Font)},                        {"$FileName$", V(f.Filename)},
        {"$CurrentFilename$", V(path)},               {"$SubMenuFont$", V(f.SubmenuFont)},
        {"$SubMenuFontSize$", V(f.SubmenuFontSize)},  {"$SubMenuLeftMargin$", V(f.SubmenuLeftMargin)},
        {"$BackgroundImage$", V(f.BackgroundImage)},  {"$hr$", V(f.hr)},
        {"\r\n\r\n", "\r\n"}};
    for (const auto& [p, v] : steps) PlainReplaceAll(text, p, v);
    for (const auto& [name, value] : c.Vars) PlainReplaceAll(text, V("$" + name + "$"), V(value));
    return PlainJoin(PlainLines(text));
  };

  ModelRun run;
  run.AllInOne = allInOne;
  run.Utf8 = utf8;
  if (allInOne) {
    run.Pages.push_back({f.Filename, page(f.Filename, -1)});
    return run;
  }
  // A hidden name anywhere refuses the run before it writes; names that are no file
  // ("", ".", "..") stop it where they come.
  for (int o = 1; o <= count; ++o) {
    const std::string name = hasSub(mains[o - 1]) ? ids[mains[o - 1]] + ext : "";
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") {
      run.Refused = true;
      return run;
    }
  }
  run.Pages.push_back({f.Filename, page(f.Filename, 0)});
  for (int o = 1; o <= count; ++o) {
    const int i = mains[o - 1];
    if (!hasSub(i)) continue;
    const std::string name = ids[i] + ext;
    if (name.empty() || name == "." || name == "..") {
      run.Fails = true;
      return run;
    }
    run.Pages.push_back({dir + name, page(dir + name, o)});
  }
  return run;
}

std::map<std::string, std::string> FinalPages(const ModelRun& run) {
  std::map<std::string, std::string> pages;
  for (const ModelPage& p : run.Pages) pages[p.Path] = p.Bytes;
  return pages;
}

// ---- random cases ------------------------------------------------------------------

namespace {

const char* const kSetFiles[] = {"header.txt",          "footer.txt",           "menupoint.txt",
                                 "activemenupoint.txt", "BetweenMenupoints.txt", "SubmenuPoint.txt",
                                 "BetweenSubmenuPoints.txt"};
const char* const kPlaceholders[] = {
    "$Linkname$",  "$LinkID$",    "$FirstLetter$", "$RestLetter$",      "$LinkTarget$",       "$Link$",
    "$submenu$",   "$TextColor$", "$BackgroundColor$", "$LinkColor$",   "$ALinkColor$",       "$VLinkColor$",
    "$HoverColor$", "$FirstLetterColor$", "$Title$", "$FontSize$",      "$Font$",             "$FileName$",
    "$CurrentFilename$", "$SubMenuFont$", "$SubMenuFontSize$", "$SubMenuLeftMargin$", "$BackgroundImage$",
    "$hr$",        "$v$",         "$V2$",          "$$",                "$Ti",                "tle$",
    "$\xE4$",      "$\xC3\xA4$",  "$"};
const char* const kPieces[] = {"<li>", "x", "\xE4", "$", " ", "\r\n", "\n", "\r", "\r\n\r\n", "\n\n\n", "\xC4$", "\xC3\xBC"};

std::string RandomFragment(Random& r) {
  std::string s = r.Chance(5) ? "\xEF\xBB\xBF" : "";
  const int parts = r.Below(9);
  for (int i = 0; i < parts; ++i) {
    if (r.Chance(45)) s += r.MixCase(r.Pick(kPlaceholders));
    else s += r.Pick(kPieces);
    if (r.Chance(3)) s += std::string(1, '\0') + "after nul $Title$";
  }
  return s;
}

// One-line text that every file carries as it is: no line break, no field separator,
// no "&", no quote, no blank at either end.
std::string Word(Random& r) {
  static const char* const bits[] = {"a", "B", "x y", "-", ".", "1", "\xE4", "\xC4", "\xFC", "\xDC", "$", "%", "\x80"};
  std::string s;
  const int k = r.Below(5);
  for (int i = 0; i < k; ++i) s += r.Chance(20) ? r.MixCase(r.Pick(kPlaceholders)) : r.Pick(bits);
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A Word most of the time, else one of the listed texts.
TextSource WordOr(int wordPercent, const std::vector<std::string>& texts, bool mixCase = false) {
  return [=](Random& r) {
    if (r.Chance(wordPercent)) return mixCase ? r.MixCase(Word(r)) : Word(r);
    return texts[static_cast<std::size_t>(r.Below(static_cast<int>(texts.size())))];
  };
}

MenuKnobs GenerationMenus(const std::string& OutFolder, bool ForFiles) {
  MenuKnobs k;
  k.MostEntries = 9;
  k.SubPercent = 42;
  k.Caption = WordOr(30, {"Home", "home", "HOME", "Home2", "Produkte", "$Title$", "$linkname$", "\xDC" "ber",
                          "\xFC" "ber", "a$", "$hr$", "", "x y", "$LINK$", "$submenu$", "$v$", "nav", "."},
                     true);
  k.Link = WordOr(30, {"a.htm", "", "$Link$", "b.htm", "$LinkID$", "\xFC.htm"});
  k.Target = WordOr(30, {"main", "", "_self", "$LinkTarget$"});
  k.Colour = [](Random& r) { return r.Chance(30) ? clNone : static_cast<std::int32_t>(r.Below(0x7FFFFFFF)); };
  // Texts only a document in memory holds: line breaks, "$" names of other values.
  const TextSource formatText =
      WordOr(ForFiles ? 100 : 50, {"", "T", "$Font$", "Arial", "$v$", "\r\n\r\n", "$title$", "a$", "\xE4\n"});
  k.Text = [=](Random& r, const FormatField& field) -> std::optional<std::string> {
    if (field.Text == &TMenuFormat::Template) return "Set";
    if (field.Text == &TMenuFormat::Filename) {
      const char* const files[] = {"nav.htm", "menu", "nav.html", "Home.htm", "a.b.php"};
      return OutFolder + r.Pick(files);
    }
    if (field.Text == &TMenuFormat::fileext) {
      const char* const exts[] = {"", "html", ".php", "shtml", ".", " htm ", "\t.x\n"};
      const std::string ext = r.Pick(exts);
      return ForFiles ? ext.substr(0, ext.find_first_of(" \t")) : ext;
    }
    return formatText(r);
  };
  k.MostVars = 4;
  k.VarName = [](Random& r) {
    const char* const names[] = {"v", "V2", "Title", "", "Ti", "hr", "\xE4"};
    return std::string(r.Pick(names));
  };
  k.VarValue = WordOr(ForFiles ? 100 : 60, {"\r\n\r\n", "x\ry\r", "\nz\n", std::string("n\0$Title$", 9)});
  return k;
}

}  // namespace

GenerationCase RandomGenerationCase(unsigned Seed, const std::string& OutFolder, bool ForFiles) {
  Random r(Seed);
  GenerationCase c;
  for (const char* name : kSetFiles) {
    c.Files[name] = r.Chance(15) ? std::nullopt : std::optional<std::string>(RandomFragment(r));
    c.DiskNames[name] = r.Chance(20) ? r.MixCase(name) : name;
  }
  const char* const values[] = {"1", "0", "yes", "0x1", "$10", "-1", "0x0", " 7", "2a", "$", "-2", ""};
  const char* const sections[] = {"[Main]", "[main]", "[MAIN]", "[Other]"};
  const char* const charsets[] = {"utf-8", "UTF-8", "Utf-8", "utf-8", "utf8", "windows-1252"};
  if (r.Chance(15)) {
    c.Files["template.ini"] = std::nullopt;
  } else {
    std::string ini;
    if (r.Chance(30)) ini += "[Other]\r\nall_in_one=1\r\ncharset=utf-8\r\n";
    ini += std::string(r.Pick(sections)) + (r.Chance(50) ? "\r\n" : "\n");
    if (r.Chance(85)) ini += r.MixCase("all_in_one") + "=" + r.Pick(values) + "\r\n";
    if (r.Chance(45)) ini += r.MixCase("charset") + (r.Chance(50) ? "=" : " = ") + r.Pick(charsets) + "\r\n";
    c.Files["template.ini"] = ini;
  }
  c.DiskNames["template.ini"] = r.Chance(20) ? "Template.INI" : "template.ini";
  static_cast<MenuModel&>(c) = RandomMenu(r, GenerationMenus(OutFolder, ForFiles));
  return c;
}

SetFiles SetFilesOnDisk(const GenerationCase& c) {
  SetFiles files;
  for (const auto& [name, bytes] : c.Files)
    if (bytes) files[c.DiskNames.at(name)] = *bytes;
  return files;
}

}  // namespace navforge::test
