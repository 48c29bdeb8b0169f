// Rules about what generation needs and which files its pages would land on.
#include <unordered_map>

#include "check/checkrun.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
#include "support/paths.h"

namespace navforge::check {
namespace {

namespace fs = std::filesystem;

// The name a file system that ignores letter case sees in a resolved path.
std::string FileKey(const fs::path& resolved) { return LowerCp1252(FromFsName(resolved.string())); }

// A path the program only opens (menu file, variables file), resolved like a page.
fs::path ResolveOpened(const std::string& fsName) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(fsName, ec), ec);
  return ec ? fs::path(fsName).lexically_normal() : p;
}

}  // namespace

void CheckFileName(CheckRun& run) {
  if (run.doc.Filename.empty()) {
    run.Add(Level::Fehler, "kein-dateiname", -1, "Kein Dateiname zum Speichern angegeben");
    return;
  }
  std::error_code ec;
  if (!fs::is_directory(run.pageFolder, ec))
    run.Add(Level::Fehler, "ausgabeordner-fehlt", -1,
            "Den Ordner " + Quoted(FromFsName(run.pageFolder.string())) + " für die HTML-Seiten gibt es nicht."_cp1252);
}

void CheckTemplate(CheckRun& run) {
  if (!run.set) run.Add(Level::Fehler, run.setProblemCode.c_str(), -1, run.setProblem);
}

void CheckPageCollisions(CheckRun& run) {
  std::unordered_map<std::string, std::size_t> seen;  // file key -> first page
  for (std::size_t j = 0; j < run.pages.size(); ++j) {
    const PlannedPage& page = run.pages[j];
    const auto [it, fresh] = seen.emplace(FileKey(run.Resolve(page.Path)), j);
    if (fresh) continue;
    const PlannedPage& earlier = run.pages[it->second];
    std::string text = "Die Seite des Untermenüs "_cp1252 + Quoted(page.Path) + " würde "_cp1252;
    text += earlier.Entry < 0 ? "die Hauptseite " + Quoted(earlier.Path) + " überschreiben"_cp1252
                              : "die Seite " + Quoted(earlier.Path) + " von " + EntryRef(earlier.Entry) +
                                    " überschreiben"_cp1252;
    if (run.Resolve(page.Path) != run.Resolve(earlier.Path))
      text += " (auf Dateisystemen, die Groß- und Kleinbuchstaben nicht unterscheiden, ist es dieselbe Datei)"_cp1252;
    run.Add(Level::Fehler, "seite-ueberschreibt-seite", page.Entry, text + ".");
  }
}

void CheckMenuFilesOverwritten(CheckRun& run) {
  std::vector<std::string> own;  // the menu's files, as file-system names
  if (!run.options.menuFile.empty()) {
    own.push_back(run.options.menuFile);
    own.push_back(ChangeFileExt(run.options.menuFile, ".nfs"));
  }
  if (!run.doc.VariablesFile.empty()) own.push_back(run.doc.VariablesFile);
  std::unordered_map<std::string, std::string> keys;
  for (const std::string& file : own) keys.emplace(FileKey(ResolveOpened(file)), file);
  for (const PlannedPage& page : run.pages) {
    const auto hit = keys.find(FileKey(run.Resolve(page.Path)));
    if (hit != keys.end())
      run.Add(Level::Fehler, "seite-ueberschreibt-menue", page.Entry,
              "Die HTML-Seite " + Quoted(page.Path) + " würde die Datei "_cp1252 + Quoted(FromFsName(hit->second)) +
                  " des Menüs überschreiben."_cp1252);
  }
}

void CheckRefusal(CheckRun& run) {
  if (run.unbuildable)
    run.Add(Level::Fehler, "seite-nicht-erzeugbar", run.pages[run.unbuildable->first].Entry, run.unbuildable->second);
  if (!run.refusal) return;
  const int entry = run.pages[run.refusal->Page].Entry;
  for (const Finding& f : run.findings)
    if (f.level == Level::Fehler && f.entry == entry &&
        (f.code == "seite-ueberschreibt-menue" || f.code == "kennung-mit-pfadzeichen"))
      return;
  static constexpr const char* kCodes[] = {"seite-ueberschreibt-menue", "seite-verlaesst-ordner",
                                           "seitenname-zu-lang", "seite-versteckt",
                                           "seite-ueberschreibt-fremde-datei"};
  run.Add(Level::Fehler, kCodes[run.refusal->Why], entry, run.refusal->Message);
}

}  // namespace navforge::check
