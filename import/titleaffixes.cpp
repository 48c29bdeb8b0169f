#include "import/titleaffixes.h"

#include <map>
#include <set>
#include <string_view>

#include "support/cp1252literal.h"
#include "support/strutil.h"

namespace navforge::import {
namespace {

// " - ", " – " (the en dash of Windows-1252) and " | ".
constexpr std::string_view kSeparators[] = {" - ", " \x96 ", " | "};

struct Affixes {
  std::set<std::string> prefixes, suffixes;  // a prefix ends with its separator, a suffix starts with it
};

Affixes AffixesOf(const std::string& caption) {
  Affixes a;
  for (std::string_view sep : kSeparators)
    for (std::size_t at = caption.find(sep); at != std::string::npos; at = caption.find(sep, at + 1)) {
      a.prefixes.insert(caption.substr(0, at + sep.size()));
      a.suffixes.insert(caption.substr(at));
    }
  return a;
}

// The longest of the caption's affixes that another caption shares too.
std::string LongestShared(const std::set<std::string>& own, const std::map<std::string, int>& counts) {
  std::string best;
  for (const std::string& affix : own)
    if (counts.at(affix) >= 2 && affix.size() > best.size()) best = affix;
  return best;
}

}  // namespace

std::vector<std::string> DropSharedAffixes(const std::vector<std::string>& captions, std::vector<std::string>& notes) {
  std::vector<Affixes> affixes;
  std::map<std::string, int> prefixCount, suffixCount;
  for (const std::string& caption : captions) {
    affixes.push_back(AffixesOf(caption));
    for (const std::string& p : affixes.back().prefixes) ++prefixCount[p];
    for (const std::string& s : affixes.back().suffixes) ++suffixCount[s];
  }
  std::vector<std::string> result;
  std::map<std::string, int> dropped;  // as the note shows it -> how often
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const std::string& caption = captions[i];
    const std::string prefix = LongestShared(affixes[i].prefixes, prefixCount);
    const std::string suffix = LongestShared(affixes[i].suffixes, suffixCount);
    // Both where they leave something between them, else the prefix, else the suffix.
    const std::pair<std::size_t, std::size_t> tries[] = {
        {prefix.size(), suffix.size()}, {prefix.size(), 0}, {0, suffix.size()}};
    std::string kept = caption;
    for (const auto& [front, back] : tries) {
      if ((front == 0 && back == 0) || front + back >= caption.size()) continue;
      const std::string rest(TrimBlanks(std::string_view(caption).substr(front, caption.size() - front - back)));
      if (rest.empty()) continue;
      kept = rest;
      if (front) ++dropped[prefix + "…"_cp1252];
      if (back) ++dropped["…"_cp1252 + suffix];
      break;
    }
    result.push_back(std::move(kept));
  }
  for (const auto& [shown, count] : dropped)
    notes.push_back("Den gemeinsamen Teil der Seitentitel „"_cp1252 + shown + "“ in "_cp1252 + std::to_string(count) +
                    " Beschriftungen weggelassen.");
  return result;
}

}  // namespace navforge::import
