// Rules about single entries: captions, identifiers, page names, targets and links.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "check/checkrun.h"
#include "core/locallink.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/strutil.h"

namespace navforge::check {
namespace {

namespace fs = std::filesystem;

bool Holds(const std::string& text, std::string_view lowerNeedle) {
  return LowerAscii(text).find(lowerNeedle) != std::string::npos;
}

// Characters a page name cannot carry into a link as they are: everything that is no
// URL code point (blanks, controls, quotes, brackets ...) and "%". Letters beyond
// ASCII are URL code points: browsers ask for them in UTF-8, as the pages are named.
bool NeedsEscape(unsigned char c) {
  static constexpr std::string_view kUnsafe = "\"#%<>?[]^`{|}";
  return c <= 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D ||
         kUnsafe.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string EscapeList(const std::string& name) {
  std::string list;
  std::unordered_set<unsigned char> named;
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (!NeedsEscape(c) || !named.insert(c).second) continue;
    if (!list.empty()) list += ", ";
    if (c == ' ')
      list += "Leerzeichen";
    else if (c < 0x20 || c == 0x7F)
      list += "Steuerzeichen";
    else
      list += Quoted(std::string(1, ch));
  }
  return list;
}

// Whether fragment writes the entry's target into a target attribute, as in
// target="$LinkTarget$": an empty target then stands there as target="".
bool WritesTargetAttribute(const std::string& fragment) {
  const std::string text = LowerAscii(fragment);
  for (std::size_t at = text.find("target"); at != std::string::npos; at = text.find("target", at + 1)) {
    if (at > 0 && static_cast<unsigned char>(text[at - 1]) > 0x20) continue;  // "data-target" is no target
    std::size_t k = at + 6;
    const auto blanks = [&] {
      while (k < text.size() && static_cast<unsigned char>(text[k]) <= 0x20) ++k;
    };
    blanks();
    if (k >= text.size() || text[k] != '=') continue;
    ++k;
    blanks();
    if (k < text.size() && (text[k] == '"' || text[k] == '\'')) ++k;
    if (text.compare(k, 12, "$linktarget$") == 0) return true;
  }
  return false;
}

// The path on this machine a link names: a "file:" URL's path, or a link from the root
// ("/..." but not "//host" nor "/" alone), cut at "?" and "#" and percent-decoded as a
// file-system name. Empty for any other link; file says whether it was a "file:" URL.
std::optional<fs::path> MachinePath(std::string link, bool& file) {
  for (char& c : link)
    if (c == '\\') c = '/';
  file = LowerAscii(link.substr(0, 5)) == "file:";
  if (file) {
    link.erase(0, 5);
    // "file://host/path": the host (empty or "localhost" on this machine) goes.
    if (link.starts_with("//")) link.erase(0, std::min(link.size(), link.find('/', 2)));
  } else if (link.size() < 2 || link[0] != '/' || link[1] == '/') {
    return std::nullopt;
  }
  link.resize(std::min(link.size(), link.find_first_of("?#")));
  if (link.empty()) link = "/";
  return fs::path(PercentDecode(Cp1252ToUtf8(link)));
}

class EntryRules {
public:
  explicit EntryRules(CheckRun& run) : run_(run), doc_(run.doc) {
    for (const PlannedPage& page : run.pages) {
      pageFiles_.insert(run.Resolve(page.Path).lexically_normal().string());
      if (page.Entry >= 0) pageOf_.emplace(page.Entry, &page);
    }
    std::error_code ec;
    linksCheckable_ = !run.pageFolder.empty() && fs::is_directory(run.pageFolder, ec);
  }

  void Run() {
    if (run_.leadingSubItems > 0)
      run_.Add(Level::Warnung, "untereintraege-vor-haupteintrag", 0,
               run_.leadingSubItems == 1
                   ? std::string("Vor dem ersten Haupteintrag steht ein Untereintrag; er erscheint als Haupteintrag "
                                 "ohne eigene Seite.")
                   : "Vor dem ersten Haupteintrag stehen " + std::to_string(run_.leadingSubItems) +
                         " Untereinträge; sie erscheinen als Haupteinträge ohne eigene Seite."_cp1252);
    DeeperThanTheSet();
    for (int i = 0; i <= doc_.LastIndex(); ++i) {
      const TMTItem& item = doc_.Items[static_cast<std::size_t>(i)];
      if (item.Caption.empty()) run_.Add(Level::Fehler, "leere-beschriftung", i, "Der Eintrag hat keine Beschriftung.");
      const bool named = Identifier(i);
      if (named) PageName(i);
      if (!doc_.HasSubItems(i)) {
        BlankTarget(i, item);
        EmptyTarget(i, item);
        Link(i, item);
      }
      SameCaption(i, item);
    }
  }

private:
  const std::string& Id(int i) const { return run_.linkIDs[static_cast<std::size_t>(i)]; }

  // The first entry before index whose identifier is folded (lower case), or -1. The
  // identifiers are folded once, not once per repeated caption.
  int FirstWithId(const std::string& folded, int before) {
    if (firstById_.empty())
      for (int k = static_cast<int>(run_.linkIDs.size()) - 1; k >= 0; --k) firstById_[LowerCp1252(Id(k))] = k;
    const auto it = firstById_.find(folded);
    return it != firstById_.end() && it->second < before ? it->second : -1;
  }

  // False when the identifier cannot name a page at all (a Fehler is reported then).
  bool Identifier(int i) {
    const TMTItem& item = doc_.Items[static_cast<std::size_t>(i)];
    if (Id(i) != item.Caption && IdentifierShows(i)) {
      std::string text = "Die Beschriftung " + Quoted(item.Caption) + " gibt es schon";
      if (const int k = FirstWithId(LowerCp1252(item.Caption), i); k >= 0) text += " (" + EntryRef(k) + ")";
      run_.Add(Level::Warnung, "doppelte-beschriftung", i,
               text + "; die Kennung dieses Eintrags wird " + Quoted(Id(i)) + ".");
      numbered_.insert(i);
    }
    if (!doc_.HasSubItems(i)) return true;
    const std::size_t slash = Id(i).find_first_of("/\\");
    if (slash == std::string::npos) return true;
    run_.Add(Level::Fehler, "kennung-mit-pfadzeichen", i,
             "Die Beschriftung enthält "_cp1252 + Quoted(Id(i).substr(slash, 1)) +
                 ": die Seite des Untermenüs, nach ihr benannt, landet in einem anderen Ordner oder wird gar nicht "
                 "geschrieben."_cp1252);
    return false;
  }

  // Whether a numbered identifier reaches a page: as the name of a sub-menu page, or
  // through "$LinkID$" in the fragment that renders the entry.
  bool IdentifierShows(int i) const {
    if (doc_.HasSubItems(i) || !run_.set) return true;
    const std::string* fragment = run_.FragmentOf(i);
    if (Holds(*fragment, "$linkid$")) return true;
    return fragment == &run_.set->Menupoint && Holds(run_.set->ActiveMenupoint, "$linkid$");
  }

  void PageName(int i) {
    const auto page = pageOf_.find(i);
    if (page == pageOf_.end()) return;
    const std::string name = ExtractFileName(page->second->Path);
    const std::string list = EscapeList(name);
    if (!list.empty())
      run_.Add(Level::Warnung, "seitenname-mit-sonderzeichen", i,
               "Der Name der Untermenü-Seite "_cp1252 + Quoted(name) + " enthält Zeichen, die in einer Adresse "
               "maskiert werden müssen ("_cp1252 + list + "); Server und Werkzeuge finden die Seite dann oft nicht.");
  }

  void BlankTarget(int i, const TMTItem& item) {
    if (!run_.set || LowerAscii(TrimControl(item.Target)) != "_blank") return;
    const std::string& fragment = *run_.FragmentOf(i);
    if (!Holds(fragment, "$linktarget$") || Holds(fragment, "noopener") || Holds(fragment, "noreferrer")) return;
    run_.Add(Level::Warnung, "blank-ohne-noopener", i,
             "Der Link öffnet sein Ziel mit „_blank“, aber das Menütemplate gibt ihm kein "
             "rel=\"noopener\": die geöffnete Seite kann dann die Menüseite umlenken."_cp1252);
  }

  // The levels the set shows: an entry deeper than its last stands there.
  int ShownLevels() const { return run_.set ? run_.set->Levels : 2; }

  // Entries deeper than the set nests, once for the menu at the first of them.
  void DeeperThanTheSet() {
    if (!run_.set) return;
    const int levels = ShownLevels();
    int first = -1, count = 0;
    for (int i = 0; i <= doc_.LastIndex(); ++i)
      if (LevelOf(doc_.Items[static_cast<std::size_t>(i)]) >= levels && count++ == 0) first = i;
    if (count == 0) return;
    const bool one = count == 1;
    const std::string where =
        levels == 2 ? (one ? "als Untereintrag seines Haupteintrags" : "als Untereinträge ihres Haupteintrags"_cp1252)
                    : std::string("auf der untersten Ebene, die es zeigt");
    const std::string text =
        "Das Menütemplate "_cp1252 + Quoted(doc_.Template) + " zeigt " + std::to_string(levels) + " Ebenen; " +
        (one ? std::string("dieser Eintrag steht tiefer und erscheint ")
             : "dieser und " + std::to_string(count - 1) + " weitere Einträge stehen tiefer und erscheinen "_cp1252) +
        where + ".";
    run_.Add(Level::Hinweis, "ebene-tiefer-als-template", first, text);
  }

  // Two entries side by side with one caption: the visitor cannot tell them apart. Side
  // by side are the main entries, and the entries below one entry, at the level the set
  // shows them. An entry whose numbered identifier is reported already is not reported
  // twice.
  void SameCaption(int i, const TMTItem& item) {
    const bool main = !item.IsSubItem || i < run_.leadingSubItems;
    const int level = main ? 0 : std::min(LevelOf(item), ShownLevels() - 1);
    groupCaptions_.resize(static_cast<std::size_t>(level));  // the groups below an entry before end here
    groupCaptions_.emplace_back();
    const std::string key = LowerCp1252(TrimControl(item.Caption));
    if (key.empty()) return;
    auto& captions = main ? mainCaptions_ : groupCaptions_[static_cast<std::size_t>(level - 1)];
    const auto [first, fresh] = captions.emplace(key, i);
    if (fresh || numbered_.count(i)) return;
    run_.Add(Level::Warnung, "gleiche-beschriftung", i,
             "Die Beschriftung " + Quoted(TrimControl(item.Caption)) + " trägt schon "_cp1252 +
                 EntryRef(first->second) + (main ? " unter den Haupteinträgen"_cp1252 : " in derselben Gruppe"_cp1252) +
                 ": die beiden Einträge sind nicht zu unterscheiden."_cp1252);
  }

  void EmptyTarget(int i, const TMTItem& item) {
    if (!run_.set || !TrimControl(LinkWithVariables(item.Target, doc_.Variables)).empty()) return;
    if (!WritesTargetAttribute(*run_.FragmentOf(i))) return;
    run_.Add(Level::Warnung, "ziel-leer", i,
             "Das Ziel (Frame) ist leer, das Menütemplate schreibt es aber in target=\"…\": der Link bekommt "
             "target=\"\" (ungültiges HTML) und öffnet seine Seite dort, wo das Menü steht."_cp1252);
  }

  void Link(int i, const TMTItem& item) {
    const std::string link = TrimControl(LinkWithVariables(item.Link, doc_.Variables));
    if (OnThisMachine(i, item, link) || !linksCheckable_) return;
    const std::optional<std::string> file = LocalLinkPath(link, run_.pageFolder.string());
    if (!file) return;
    std::error_code ec;
    if (fs::exists(*file, ec) || pageFiles_.count(*file)) return;
    run_.Add(Level::Warnung, "link-ziel-fehlt", i,
             "Das Linkziel " + Quoted(item.Link) + " gibt es nicht (gesucht: " + Quoted(FromFsName(*file)) + ").");
  }

  // A path a file dialog gave (a file on the user's disk) reaches no visitor. A link
  // from the root counts only when it names something here but nothing in the site.
  bool OnThisMachine(int i, const TMTItem& item, const std::string& link) {
    bool fileUrl = false;
    const std::optional<fs::path> path = MachinePath(link, fileUrl);
    if (!path) return false;
    std::error_code ec;
    if (!fileUrl &&
        (!linksCheckable_ || !fs::exists(*path, ec) || fs::exists(run_.pageFolder / path->relative_path(), ec)))
      return false;
    std::string text = "Der Link " + Quoted(item.Link) +
                       " ist ein Pfad auf diesem Rechner; Besucher der Website "
                       "erreichen ihn nicht";
    const fs::path real = fs::weakly_canonical(*path, ec);
    const fs::path inSite = ec ? fs::path() : real.lexically_relative(run_.pageFolder);
    if (!run_.pageFolder.empty() && !inSite.empty() && *inSite.begin() != ".." && inSite != ".")
      text += " (von der Menüseite aus: "_cp1252 + Quoted(FromFsName(inSite.generic_string())) + ")";
    run_.Add(Level::Warnung, "pfad-auf-diesem-rechner", i, text + ".");
    return true;
  }

  CheckRun& run_;
  const TovHTML& doc_;
  std::unordered_set<std::string> pageFiles_;  // the pages generation writes, resolved
  std::unordered_map<int, const PlannedPage*> pageOf_;
  bool linksCheckable_ = false;
  std::unordered_set<int> numbered_;  // entries reported for a numbered identifier
  std::unordered_map<std::string, int> firstById_;  // folded identifier -> first entry
  // Lower-cased, trimmed captions of the main entries and, per level from 1, of the
  // entries below the current entry of the level above, with the first entry that bears each.
  std::unordered_map<std::string, int> mainCaptions_;
  std::vector<std::unordered_map<std::string, int>> groupCaptions_;
};

}  // namespace

void CheckEntries(CheckRun& run) { EntryRules(run).Run(); }

}  // namespace navforge::check
