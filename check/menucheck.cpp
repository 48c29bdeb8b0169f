// One check run: the generation worked out on a copy of the document, then the rules.
#include "check/menucheck.h"

#include <algorithm>

#include "check/checkrun.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "support/notifier.h"
#include "support/paths.h"

namespace navforge::check {
namespace {

namespace fs = std::filesystem;

// Keeps the set loader's messages: they become findings instead of message boxes.
class QuietNotifier : public INotifier {
public:
  void ShowMessage(const std::string& text) override { last = text; }
  std::string last;
};

}  // namespace

CheckRun::CheckRun(const TovHTML& d, const CheckOptions& o) : doc(d), options(o) {
  // Generation on a copy: identifiers and the set land there, the user's document
  // stays as it is.
  TovHTML copy = d;
  copy.OnPageWritten = nullptr;
  copy.AssignLinkIDs();
  linkIDs.reserve(copy.Items.size());
  for (const TMTItem& item : copy.Items) linkIDs.push_back(item.LinkID);
  while (leadingSubItems <= d.LastIndex() && d.Items[static_cast<std::size_t>(leadingSubItems)].IsSubItem)
    ++leadingSubItems;

  QuietNotifier quiet;
  {
    ScopedNotifier scope(quiet);
    try {
      if (copy.LoadTemplate())
        set = SetTexts{copy.AllInOne,          copy.Header,          copy.Footer,
                       copy.Menupoint,         copy.ActiveMenupoint, copy.SubmenuPoint,
                       copy.BetweenMenupoints, copy.BetweenSubmenuPoints};
      else
        setProblemCode = d.Template.empty() ? "kein-template" : "template-fehlt";
    } catch (const ENavforgeError& e) {
      setProblemCode = "template-unlesbar";
      quiet.last = e.what();
    }
  }
  if (setProblemCode == "template-fehlt")
    setProblem = "Das Men\xFCtemplate " + Quoted(d.Template) + " ist nicht vorhanden.";
  else
    setProblem = quiet.last;

  if (d.Filename.empty()) return;
  pageFolder = Resolve(d.Filename).parent_path();
  if (!set) return;
  pages.push_back({d.Filename, -1});
  if (set->AllInOne) return;
  const std::string dir = ExtractFilePath(d.Filename), ext = copy.SubmenuExt();
  for (int i = 0; i <= d.LastIndex(); ++i)
    if (d.HasSubItems(i)) pages.push_back({dir + linkIDs[static_cast<std::size_t>(i)] + ext, i});
}

fs::path CheckRun::Resolve(const std::string& path) const {
  fs::path p(ToFsName(path));
  if (p.is_relative()) p = (options.outputBase.empty() ? fs::current_path() : fs::path(options.outputBase)) / p;
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : canonical;
}

const std::string* CheckRun::FragmentOf(int i) const {
  if (!set) return nullptr;
  // Sub-entries before the first main entry are rendered like main entries.
  return doc.Items[static_cast<std::size_t>(i)].IsSubItem && i >= leadingSubItems ? &set->SubmenuPoint
                                                                                      : &set->Menupoint;
}

void CheckRun::Add(Level level, const char* code, int entry, std::string message) {
  Finding f{level, code, entry, {}, std::move(message)};
  if (entry >= 0) f.caption = doc.Items[static_cast<std::size_t>(entry)].Caption;
  findings.push_back(std::move(f));
}

std::string EntryRef(int entry) { return "Eintrag " + std::to_string(entry + 1); }

std::string Quoted(const std::string& text) { return "\x84" + text + "\x93"; }

Findings CheckMenu(const TovHTML& doc, const CheckOptions& options) {
  CheckRun run(doc, options);
  for (void (*rule)(CheckRun&) : {CheckFileName, CheckTemplate, CheckPageCollisions, CheckMenuFilesOverwritten,
                                  CheckEntries, CheckPlaceholders, CheckVariables, CheckContrast})
    rule(run);
  // Fehler before Warnungen; within each, the whole menu first, then the entries in menu order.
  std::stable_sort(run.findings.begin(), run.findings.end(), [](const Finding& a, const Finding& b) {
    if (a.level != b.level) return a.level == Level::Fehler;
    return a.entry < b.entry;
  });
  return std::move(run.findings);
}

}  // namespace navforge::check
