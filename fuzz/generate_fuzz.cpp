// Template loading and page generation from random fragments, template.ini, entries,
// formatting texts and variables. Generation must end; the main page comes first, a
// one-page set writes it alone, every page is whole CR LF lines without a zero byte;
// generation into memory gives the pages written to disk and leaves the document as
// it was; pages joined from ready parts equal pages filled whole; a page that would grow
// without bound stops the generation.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>

#include "core/generatememory.h"
#include "core/menudocument.h"
#include "core/generationrun.h"
#include "fuzzfile.h"
#include "support/errors.h"
#include "support/notifier.h"
#include "support/textfile.h"

using namespace navforge;

namespace {

class SilentNotifier : public INotifier {
public:
  void ShowMessage(const std::string&) override {}
};

// Small pieces keep every page small. Some values are picked from texts that hold
// placeholders, so the rescanning of inserted values is reached without the fuzzer
// having to spell them.
std::string Text(FuzzedDataProvider& in, std::size_t max) {
  static const char* const kPicked[] = {"T$Font$", "$Title$", "$v$", "$LinkID$", "\r\n\r\n", "$$", "\xC4rger"};
  if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return kPicked[in.ConsumeIntegralInRange<std::size_t>(0, 6)];
  return in.ConsumeRandomLengthString(max);
}
// "/" stays out of captions so no page is written outside the fuzzer's folder.
std::string Caption(FuzzedDataProvider& in) {
  std::string s = Text(in, 24);
  for (char& c : s)
    if (c == '/') c = '_';
  return s;
}

void CheckPage(const std::string& bytes) {
  // A page whose text begins with a zero byte has no lines: an empty file.
  if (!bytes.empty() && (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0))
    fuzz::Fail("page does not end in CR LF");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') fuzz::Fail("zero byte in page");
    if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) fuzz::Fail("lone CR in page");
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) fuzz::Fail("lone LF in page");
  }
}

std::vector<std::string> LinkIDs(const TovHTML& doc) {
  std::vector<std::string> ids;
  for (const TMTItem& it : doc.Items) ids.push_back(it.LinkID);
  return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  FuzzedDataProvider in(data, size);
  const std::string root = fuzz::Folder() + "gen/";
  fs::remove_all(root);
  fs::create_directories(root + "Templates/Set");
  fs::create_directories(root + "out");

  static const char* const files[] = {"template.ini",        "header.txt",           "footer.txt",
                                      "menupoint.txt",       "activemenupoint.txt",  "BetweenMenupoints.txt",
                                      "SubmenuPoint.txt",    "BetweenSubmenuPoints.txt"};
  for (std::size_t i = 0; i < std::size(files); ++i)
    if (in.ConsumeBool()) {
      std::string bytes = in.ConsumeRandomLengthString(256);
      if (i == 0 && in.ConsumeBool()) bytes = "[Main]\ncharset=utf-8\n" + bytes;  // a UTF-8 set
      fuzz::PutFile(std::string("gen/Templates/Set/") + files[i], bytes);
    }

  TovHTML doc;
  doc.TemplateRoot = root + "Templates";
  doc.Template = in.ConsumeBool() ? "Set" : (in.ConsumeBool() ? "set" : Caption(in));
  doc.Filename = root + "out/" + (in.ConsumeBool() ? "nav.htm" : Caption(in));
  for (std::int32_t* colour : {&doc.TextColor, &doc.BackgroundColor, &doc.LinkColor, &doc.ALinkColor,
                               &doc.VLinkColor, &doc.HoverColor, &doc.FirstLetterColor})
    *colour = in.ConsumeIntegral<std::int32_t>();
  for (std::string* text : {&doc.Title, &doc.Font, &doc.FontSize, &doc.SubmenuFont, &doc.SubmenuFontSize,
                            &doc.SubmenuLeftMargin, &doc.BackgroundImage, &doc.hr, &doc.fileext})
    *text = Text(in, 16);
  const int entries = in.ConsumeIntegralInRange<int>(0, 24);
  for (int i = 0; i < entries; ++i) {
    const std::string caption = Caption(in);
    const std::string link = Text(in, 16);
    const std::string target = Text(in, 8);
    doc.InsertItem(-1, caption, link, target, in.ConsumeBool());
  }
  const int vars = in.ConsumeIntegralInRange<int>(0, 6);
  for (int i = 0; i < vars; ++i) {
    const std::string name = Text(in, 12);
    doc.Variables.AddVariable(name, Text(in, 24));
  }
  // Variables that each hold the next one twice ("$v$" is among the picked texts): a
  // page doubles per link, so generation must stop at its size bound, not at the
  // memory's end. Taken last, so earlier inputs keep their meaning.
  for (int i = 0, links = in.ConsumeIntegralInRange<int>(0, 40); i < links; ++i)
    doc.Variables.AddVariable(i ? "v" + std::to_string(i) : "v",
                              "$v" + std::to_string(i + 1) + "$$v" + std::to_string(i + 1) + "$");

  SilentNotifier silent;
  ScopedNotifier scoped(silent);
  const std::vector<std::string> idsBefore = LinkIDs(doc);
  const GenerationResult memory = GenerateToMemory(doc);
  if (LinkIDs(doc) != idsBefore) fuzz::Fail("generation into memory changed the document");
  if (memory.Ok) {
    // Pages filled whole, as the rule reads, against the pages joined from ready parts.
    GenerationRun run(doc, *memory.Set);
    for (std::size_t i = 0; i < run.Plan().Pages.size(); ++i)
      if (run.PageFilledWhole(i) != memory.Pages[i].Bytes) fuzz::Fail("pages from parts differ from pages filled whole");
  }

  std::vector<GeneratedPage> pages;
  RunOptions options;
  options.OnPageWritten = [&](const std::string& p) { pages.push_back(GeneratedPage{p, ReadWholeFile(p)}); };
  try {
    doc.Generate(options);
  } catch (const ENavforgeError&) {
    // A page whose name the file system refuses ends the generation; what was written stays.
  }
  if (pages.size() > static_cast<std::size_t>(entries) + 1) fuzz::Fail("more pages than main entries plus one");
  if (!pages.empty() && pages.front().Path != doc.Filename) fuzz::Fail("main page not written first");
  if (doc.AllInOne && pages.size() > 1) fuzz::Fail("sub-menu pages in all-in-one mode");
  if (memory.Pages.size() < pages.size()) fuzz::Fail("fewer pages in memory than on disk");
  for (std::size_t i = 0; i < pages.size(); ++i) {
    CheckPage(pages[i].Bytes);
    if (!(pages[i] == memory.Pages[i])) fuzz::Fail("page in memory differs from the page on disk");
  }
  return 0;
}
