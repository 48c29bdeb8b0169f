#pragma once
// One random source and one random menu for the randomized tests. The menu (entries,
// formatting values, variables) is drawn the same way for every test; what its texts
// may hold is each test's own knob, so each keeps the texts that make its faults show.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "persist/formatfields.h"
#include "persist/settings.h"

namespace navforge::test {

// Seeded choices. Only the engine's raw output is used, so a seed named in a failure
// gives the same case with any standard library.
class Random {
public:
  explicit Random(unsigned seed) : gen_(seed) {}
  int Below(int n) { return static_cast<int>(static_cast<std::uint32_t>(gen_()) % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  bool Coin() { return Chance(50); }
  template <class T, std::size_t N>
  const T& Pick(const T (&a)[N]) {
    return a[Below(static_cast<int>(N))];
  }
  // Up to most picks, joined.
  template <class T, std::size_t N>
  std::string Some(const T (&a)[N], int most) {
    std::string s;
    for (int k = Below(most + 1); k > 0; --k) s += Pick(a);
    return s;
  }
  // Each ASCII letter turned to the other case with the given chance.
  std::string MixCase(std::string s, int percent = 30);

private:
  std::mt19937 gen_;
};

struct ModelEntry {
  std::string Caption, Link, Target;
  bool Sub = false;
};

// A menu as the document holds it; variable names without their "$", in list order.
struct MenuModel {
  std::vector<ModelEntry> Items;
  TMenuFormat Format;
  std::vector<std::pair<std::string, std::string>> Vars;
};

using TextSource = std::function<std::string(Random&)>;

// What a random menu holds. Counts are drawn evenly from the ranges.
struct MenuKnobs {
  int FewestEntries = 0, MostEntries = 0;
  int SubPercent = 0;
  int BlankPercent = 0;  // main entries with no caption, link or target at all
  TextSource Caption, Link, Target;
  // Each colour field's value; left empty, the colours keep their defaults.
  std::function<std::int32_t(Random&)> Colour;
  // Each text field's value, std::nullopt for its default; left empty, every default.
  std::function<std::optional<std::string>(Random&, const FormatField&)> Text;
  int FewestVars = 0, MostVars = 0;
  TextSource VarName, VarValue;
};

// The entries, then the formatting fields in FormatFields order, then the variables.
MenuModel RandomMenu(Random& r, const MenuKnobs& knobs);

}  // namespace navforge::test
