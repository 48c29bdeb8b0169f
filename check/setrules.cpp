// Rules about the set's placeholders and the user's variables.
#include <array>
#include <cctype>
#include <set>

#include "check/checkrun.h"
#include "support/cp1252literal.h"
#include "support/strutil.h"

namespace navforge::check {
namespace {

// Filled in the whole page (lower case, as placeholders ignore the case of A-Z).
constexpr std::array<std::string_view, 17> kPagePlaceholders = {
    "textcolor",       "backgroundcolor", "linkcolor",         "alinkcolor",      "vlinkcolor",
    "hovercolor",      "firstlettercolor", "title",            "fontsize",        "font",
    "filename",        "currentfilename", "submenufont",       "submenufontsize", "submenuleftmargin",
    "backgroundimage", "hr"};
// Filled in the entry fragments; "$submenu$" in a main entry's fragment only.
constexpr std::array<std::string_view, 6> kEntryPlaceholders = {"linkname",   "linkid", "firstletter",
                                                                "restletter", "linktarget", "link"};

enum class FragmentKind { Page, MainEntry, SubEntry };

struct FragmentRef {
  const char* file;
  const std::string TTemplateSet::*text;
  FragmentKind kind;
  bool nestingOnly = false;  // used only by a set with "levels"
};

constexpr std::array<FragmentRef, 8> kFragments = {{
    {"header.txt", &TTemplateSet::Header, FragmentKind::Page},
    {"footer.txt", &TTemplateSet::Footer, FragmentKind::Page},
    {"menupoint.txt", &TTemplateSet::Menupoint, FragmentKind::MainEntry},
    {"activemenupoint.txt", &TTemplateSet::ActiveMenupoint, FragmentKind::MainEntry},
    {"BetweenMenupoints.txt", &TTemplateSet::BetweenMenupoints, FragmentKind::Page},
    {"SubmenuPoint.txt", &TTemplateSet::SubmenuPoint, FragmentKind::SubEntry},
    {"BetweenSubmenuPoints.txt", &TTemplateSet::BetweenSubmenuPoints, FragmentKind::Page},
    {"SubmenuGroupPoint.txt", &TTemplateSet::SubmenuGroupPoint, FragmentKind::SubEntry, true},
}};

bool Used(const FragmentRef& f, const TTemplateSet& set) { return !f.nestingOnly || set.Nests; }

template <std::size_t N>
bool In(const std::array<std::string_view, N>& names, const std::string& lower) {
  for (std::string_view n : names)
    if (n == lower) return true;
  return false;
}

// "$Current$" only in a set that marks its menu for the site's pages; "$Level$", and
// "$submenu$", "$Open$" and "$Expanded$" in a sub-entry's fragment, only in a set with
// "levels".
bool IsEntryPlaceholder(const std::string& lower, FragmentKind kind, const TTemplateSet& set) {
  const bool nestedEntry = set.Nests && kind == FragmentKind::SubEntry;
  return In(kEntryPlaceholders, lower) || (lower == "submenu" && (kind == FragmentKind::MainEntry || nestedEntry)) ||
         (lower == "level" && set.Nests && kind != FragmentKind::Page) ||
         ((lower == "open" || lower == "expanded") && nestedEntry) ||
         (lower == "current" && set.Includable && kind != FragmentKind::Page);
}

// A text between two "$" that reads like a placeholder name rather than, say, prices.
bool LooksLikeName(std::string_view s) {
  if (s.empty() || s.size() > 40) return false;
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (!(std::isalnum(c) || c == '_' || c == '-' || c >= 0xC0)) return false;
  }
  return true;
}

}  // namespace

void CheckPlaceholders(CheckRun& run) {
  if (!run.set) return;
  std::set<std::string> variables;  // lower case
  for (const TVarItem& v : run.doc.Variables.Vars) variables.insert(LowerAscii(v.Name));
  for (const FragmentRef& f : kFragments) {
    if (!Used(f, *run.set)) continue;
    const std::string& text = run.set.value().*f.text;
    std::set<std::string> reported;
    std::size_t i = 0;
    while ((i = text.find('$', i)) != std::string::npos) {
      const std::size_t end = text.find('$', i + 1);
      if (end == std::string::npos) break;
      const std::string name = text.substr(i + 1, end - i - 1), lower = LowerAscii(name);
      const bool known = In(kPagePlaceholders, lower) || variables.count(lower) ||
                         (f.kind != FragmentKind::Page && IsEntryPlaceholder(lower, f.kind, *run.set));
      if (known || !LooksLikeName(name)) {
        // The closing "$" of something that is no placeholder may open the next one.
        i = known ? end + 1 : i + 1;
        continue;
      }
      i = end + 1;
      if (!reported.insert(lower).second) continue;
      const bool misplaced = IsEntryPlaceholder(lower, FragmentKind::MainEntry, *run.set);
      run.Add(Level::Warnung, "platzhalter-ungefuellt", -1,
              "Der Platzhalter „$"_cp1252 + name + "$“ in "_cp1252 + f.file +
                  (misplaced ? " wird dort nicht gefüllt (nur in den Fragmenten der Einträge)."_cp1252
                             : " wird von nichts gefüllt: weder Eintrag noch Seite noch Variable."_cp1252));
    }
  }
}

void CheckVariables(CheckRun& run) {
  const TovHTML& d = run.doc;
  // Where a variable's placeholder can stand: the fragments, the entries and the
  // formatting texts reach the page before the variables are filled.
  std::string reach;
  if (run.set)
    for (const FragmentRef& f : kFragments)
      if (Used(f, *run.set)) reach += LowerAscii(run.set.value().*f.text);
  for (const TMTItem& item : d.Items) reach += LowerAscii(item.Caption + '\n' + item.Link + '\n' + item.Target + '\n');
  for (const std::string* t : {&d.Title, &d.Font, &d.FontSize, &d.SubmenuFont, &d.SubmenuFontSize,
                               &d.SubmenuLeftMargin, &d.BackgroundImage, &d.Filename, &d.hr})
    reach += LowerAscii(*t) + '\n';

  const auto& vars = d.Variables.Vars;
  for (std::size_t v = 0; v < vars.size(); ++v) {
    const std::string placeholder = "$" + vars[v].Name + "$", lower = LowerAscii(placeholder);
    const std::string quoted = Quoted(vars[v].Name);
    if (In(kPagePlaceholders, LowerAscii(vars[v].Name)))
      run.Add(Level::Warnung, "variable-ohne-wirkung", -1,
              "Die Variable " + quoted + " wirkt nie: " + placeholder + " füllt schon der Formatierungswert."_cp1252);
    else if (run.set && reach.find(lower) == std::string::npos) {
      // An earlier variable's value is filled before this one and may bring its placeholder.
      bool viaEarlier = false;
      for (std::size_t e = 0; e < v && !viaEarlier; ++e)
        viaEarlier = LowerAscii(vars[e].Value).find(lower) != std::string::npos;
      if (!viaEarlier)
        run.Add(Level::Warnung, "variable-unbenutzt", -1,
                "Die Variable " + quoted + " wird nirgends verwendet: kein Fragment des Menütemplates und kein "
                "Wert enthält "_cp1252 + placeholder + ".");
    }
    if (LowerAscii(vars[v].Value).find(lower) != std::string::npos)
      run.Add(Level::Warnung, "variable-enthaelt-sich", -1,
              "Der Wert der Variable " + quoted + " enthält ihren eigenen Platzhalter "_cp1252 + placeholder + ".");
  }
}

}  // namespace navforge::check
