// Template set loading and page generation on inputs cut into pieces at marker bytes:
// 0x01 separates template.ini, the seven fragments, the entries (one per line: a flag
// byte, then caption, link and target separated by 0x02), the variables (name 0x02
// value per line), fileext and, when present, the title. Every run must end; the main
// page comes first, all-in-one mode writes it alone, and every page is whole lines each
// ending in CR LF, without a zero byte.
#include <filesystem>
#include <fstream>

#include "core/ovhtml.h"
#include "fuzzfile.h"
#include "support/errors.h"
#include "support/textfile.h"

using namespace navforge;

namespace {

std::vector<std::string> Split(std::string_view text, char sep) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == sep) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

// Kept short so that values holding placeholders cannot blow a page up beyond what a
// fuzz run can afford.
std::string Cut(std::string s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

// Captions name sub-menu pages: no folder separators, so every page stays in the site.
std::string FileSafe(std::string s) {
  for (char& c : s)
    if (c == '/' || c == '\\') c = '_';
  return s;
}

void CheckPage(const std::string& path) {
  const std::string page = ReadWholeFile(path);
  // A page whose text begins with a zero byte has no lines: an empty file.
  if (!page.empty() && (page.size() < 2 || page.compare(page.size() - 2, 2, "\r\n") != 0))
    fuzz::Fail("page does not end in CR LF");
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '\0') fuzz::Fail("zero byte in a page");
    if (page[i] == '\r' && page[i + 1] != '\n') fuzz::Fail("lone CR in a page");
    if (page[i] == '\n' && (i == 0 || page[i - 1] != '\r')) fuzz::Fail("lone LF in a page");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> piece =
      Split(std::string_view(reinterpret_cast<const char*>(data), size), '\x01');
  auto at = [&](std::size_t i) { return i < piece.size() ? piece[i] : std::string(); };

  namespace fs = std::filesystem;
  const std::string set = fuzz::Folder() + "Templates/F/";
  const std::string site = fuzz::Folder() + "site/";
  fs::remove_all(fuzz::Folder() + "Templates");
  fs::remove_all(site);
  fs::create_directories(set);
  fs::create_directories(site);
  static const char* const kFiles[] = {"template.ini",          "header.txt",       "footer.txt",
                                       "menupoint.txt",         "activemenupoint.txt",
                                       "BetweenMenupoints.txt", "SubmenuPoint.txt", "BetweenSubmenuPoints.txt"};
  for (std::size_t i = 0; i < 8; ++i) {
    if (i >= piece.size()) break;
    std::ofstream(set + kFiles[i], std::ios::binary) << Cut(piece[i], 256);
  }

  TovHTML doc;
  doc.TemplateRoot = fuzz::Folder() + "Templates";
  doc.Template = "F";
  doc.Title = piece.size() > 11 ? Cut(piece[11], 16) : "T$Font$";
  doc.Font = "F";
  doc.TextColor = 0x123456;
  doc.fileext = Cut(at(10), 8);
  doc.Filename = site + (doc.fileext.size() % 2 ? "menu" : "menu.htm");
  int entries = 0;
  for (const std::string& line : Split(at(8), '\n')) {
    if (line.empty() || ++entries > 16) continue;
    const std::vector<std::string> f = Split(line.substr(1), '\x02');
    doc.InsertItem(-1, Cut(FileSafe(f[0]), 24), f.size() > 1 ? Cut(f[1], 12) : "", f.size() > 2 ? Cut(f[2], 12) : "",
                   (line[0] & 1) != 0);
  }
  int vars = 0;
  for (const std::string& line : Split(at(9), '\n')) {
    if (line.empty() || ++vars > 3) continue;
    const std::vector<std::string> f = Split(line, '\x02');
    doc.Variables.AddVariable(Cut(f[0], 8), f.size() > 1 ? Cut(f[1], 12) : "");
  }

  std::vector<std::string> written;
  doc.OnPageWritten = [&](const std::string& p) { written.push_back(p); };
  try {
    doc.Generate();
  } catch (const ENavforgeError&) {
    return 0;  // a page name the file system refuses
  }
  if (written.empty() || written.front() != doc.Filename) fuzz::Fail("main page not written first");
  if (doc.AllInOne && written.size() != 1) fuzz::Fail("sub-menu pages in all-in-one mode");
  for (const std::string& p : written) CheckPage(p);
  return 0;
}
