// Template loading and page generation from random fragments, template.ini, entries,
// formatting texts and variables. Generation must end, and every page it reports must
// be on disk as whole CR LF lines without a zero byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>

#include "core/ovhtml.h"
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

// Small pieces keep every page small; "/" stays out of captions so no page is written
// outside the fuzzer's folder.
std::string Text(FuzzedDataProvider& in, std::size_t max) { return in.ConsumeRandomLengthString(max); }
std::string Caption(FuzzedDataProvider& in) {
  std::string s = Text(in, 24);
  for (char& c : s)
    if (c == '/') c = '_';
  return s;
}

void CheckPage(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  // A page whose text begins with a zero byte has no lines: an empty file.
  if (!bytes.empty() && (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0))
    fuzz::Fail("page does not end in CR LF");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') fuzz::Fail("zero byte in page");
    if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) fuzz::Fail("lone CR in page");
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) fuzz::Fail("lone LF in page");
  }
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
  for (const char* name : files)
    if (in.ConsumeBool()) fuzz::PutFile(std::string("gen/Templates/Set/") + name, Text(in, 160));

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

  std::vector<std::string> pages;
  doc.OnPageWritten = [&](const std::string& p) { pages.push_back(p); };
  SilentNotifier silent;
  ScopedNotifier scoped(silent);
  try {
    doc.Generate();
  } catch (const ENavforgeError&) {
    // A page whose name the file system refuses ends the generation; what was written stays.
  }
  if (pages.size() > static_cast<std::size_t>(entries) + 1) fuzz::Fail("more pages than main entries plus one");
  for (const std::string& p : pages) CheckPage(p);
  return 0;
}
