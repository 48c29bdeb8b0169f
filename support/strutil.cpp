#include "strutil.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace navforge {
namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>((i >= 'A' && i <= 'Z') ? i + 32 : i);
  return t;
}
constexpr auto kFold = MakeFoldTable();

inline unsigned char Fold(char c, bool caseSensitive) {
  auto u = static_cast<unsigned char>(c);
  return caseSensitive ? u : kFold[u];
}

// Finds pattern in text from position 'from' (case-folded comparison when requested).
std::size_t Find(std::string_view text, std::size_t from, std::string_view pattern, bool cs) {
  const std::size_t m = pattern.size();
  if (m == 0 || text.size() < m || from > text.size() - m) return std::string_view::npos;
  const unsigned char first = Fold(pattern[0], cs);
  const unsigned char firstUpper =
      (!cs && first >= 'a' && first <= 'z') ? static_cast<unsigned char>(first - 32) : first;
  const std::size_t last = text.size() - m;
  // Next position of each case of the first character at or after i; npos: none left.
  // Each is searched again only once passed, so the scan stays linear.
  const char* const end = text.data() + last + 1;
  auto next = [&](unsigned char ch, std::size_t at) {
    const void* hit = std::memchr(text.data() + at, ch, static_cast<std::size_t>(end - (text.data() + at)));
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
  };
  std::size_t a = next(first, from);
  std::size_t b = firstUpper != first ? next(firstUpper, from) : std::string_view::npos;
  while (a != std::string_view::npos || b != std::string_view::npos) {
    const std::size_t i = std::min(a, b);
    std::size_t k = 1;
    while (k < m && Fold(text[i + k], cs) == Fold(pattern[k], cs)) ++k;
    if (k == m) return i;
    if (i == a) a = i < last ? next(first, i + 1) : std::string_view::npos;
    else b = i < last ? next(firstUpper, i + 1) : std::string_view::npos;
  }
  return std::string_view::npos;
}

// Single forward pass: every occurrence replaced once, search goes on behind it.
void ReplaceForward(std::string& out, std::string_view text, std::string_view pattern,
                    std::string_view replacement, bool cs) {
  std::size_t pos = 0;
  while (true) {
    std::size_t q = Find(text, pos, pattern, cs);
    if (q == std::string_view::npos) break;
    out.append(text.substr(pos, q - pos));
    out.append(replacement);
    pos = q + pattern.size();
  }
  out.append(text.substr(pos));
}

// Knuth-Morris-Pratt automaton over the (folded) pattern; a state is the length of the
// pattern prefix matched so far.
class Matcher {
public:
  Matcher(std::string_view pattern, bool cs) : cs_(cs), p_(pattern.size(), '\0'), fail_(pattern.size(), 0) {
    for (std::size_t i = 0; i < p_.size(); ++i) p_[i] = static_cast<char>(Fold(pattern[i], cs));
    for (std::size_t i = 1, k = 0; i < p_.size(); ++i) {
      while (k > 0 && p_[i] != p_[k]) k = fail_[k - 1];
      if (p_[i] == p_[k]) ++k;
      fail_[i] = k;
    }
  }
  // state < pattern length
  std::size_t Next(std::size_t state, char ch) const {
    const char c = static_cast<char>(Fold(ch, cs_));
    while (state > 0 && p_[state] != c) state = fail_[state - 1];
    return p_[state] == c ? state + 1 : 0;
  }

private:
  bool cs_;
  std::string p_;
  std::vector<std::size_t> fail_;
};

}  // namespace

char LowerAscii(char c) { return static_cast<char>(kFold[static_cast<unsigned char>(c)]); }

std::string LowerAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = LowerAscii(c);
  return s;
}

std::string UpperAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

bool ContainsTextAscii(std::string_view text, std::string_view pattern) {
  return Find(text, 0, pattern, false) != std::string_view::npos;
}

std::size_t CountTextAscii(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return 0;
  std::size_t n = 0;
  for (std::size_t at = Find(text, 0, pattern, false); at != std::string_view::npos;
       at = Find(text, at + pattern.size(), pattern, false))
    ++n;
  return n;
}

void ReplaceAll(std::string& text, std::string_view pattern, std::string_view replacement,
                bool caseSensitive, std::size_t* workDone) {
  const bool cs = caseSensitive;
  const std::size_t m = pattern.size();
  if (m == 0 || text.empty()) return;
  const std::size_t firstHit = Find(text, 0, pattern, cs);
  if (firstHit == std::string::npos) return;

  const std::string input = std::move(text);
  std::string out;
  out.reserve(input.size());

  if (Find(replacement, 0, pattern, cs) != std::string_view::npos) {
    ReplaceForward(out, input, pattern, replacement, cs);
    text = std::move(out);
    return;
  }

  // The changed text is: out (no occurrence lies wholly in it) + the unread rest of the
  // replacements still pending (a stack: the latest one is read first) + input[ipos..].
  // 'state' is the length of the longest end of out that begins the pattern, so the
  // first occurrence found while reading on is the first one of the whole text.
  const Matcher matcher(pattern, cs);
  std::vector<std::size_t> pending;  // read positions in Replacement
  std::size_t ipos = firstHit;
  out.append(input, 0, firstHit);
  std::size_t state = 0;
  // Only a replacement that does not shrink the text can rescan for ever; the work of
  // those whose occurrence took in replaced text is what the bound counts.
  const bool bounded = replacement.size() >= m;
  const std::size_t workLimit = 4 * input.size() + kReplaceAllWorkLimit;
  std::size_t work = 0;
  std::size_t insertedEnd = 0;  // out[insertedEnd..] holds nothing read from a replacement
  bool atMatch = true;  // input[ipos..] starts with an occurrence

  while (true) {
    if (!atMatch) {
      char c;
      if (!pending.empty()) {
        std::size_t& r = pending.back();
        c = replacement[r];
        if (++r == replacement.size()) pending.pop_back();
        insertedEnd = out.size() + 1;
      } else if (state == 0) {
        // Nothing pending and no partial match: jump through the input quickly.
        const std::size_t q = Find(input, ipos, pattern, cs);
        if (q == std::string::npos) break;
        out.append(input, ipos, q - ipos);
        ipos = q;
        atMatch = true;
        continue;
      } else if (ipos < input.size()) {
        c = input[ipos++];
      } else {
        break;
      }
      out += c;
      state = matcher.Next(state, c);
      if (state < m) continue;
      out.resize(out.size() - m);
      if (bounded && insertedEnd > out.size()) work += replacement.size() + m;
      insertedEnd = std::min(insertedEnd, out.size());
    } else {
      ipos += m;
      atMatch = false;
    }
    // An occurrence ended here and has been taken out of out; the replacement is read
    // next, after out's partial match is worked out again from its last characters.
    if (work > workLimit) {
      // Runaway growth: leave the rest of the text as it stands.
      out.append(replacement);
      while (!pending.empty()) {
        out.append(replacement.substr(pending.back()));
        pending.pop_back();
      }
      break;
    }
    state = 0;
    for (std::size_t k = out.size() - std::min(out.size(), m - 1); k < out.size(); ++k)
      state = matcher.Next(state, out[k]);
    if (!replacement.empty()) pending.push_back(0);
  }
  out.append(input, ipos, std::string::npos);
  text = std::move(out);
  if (workDone) *workDone += work;
}

std::string GetField(std::string_view text, char separator, std::uint8_t fieldNumber) {
  if (fieldNumber == 0 || text.empty()) return std::string();
  std::size_t start = 0;
  for (unsigned n = 1;; ++n) {
    std::size_t sep = text.find(separator, start);
    if (n == fieldNumber) {
      return std::string(text.substr(start, sep == std::string_view::npos ? std::string_view::npos : sep - start));
    }
    if (sep == std::string_view::npos) return std::string();
    start = sep + 1;
  }
}

std::string BoolToText(bool value) { return value ? "1" : "0"; }
bool TextToBool(std::string_view text) { return text == "1"; }

std::string EscapeField(std::string text) {
  ReplaceAll(text, std::string_view(&kFieldSeparator, 1), kFieldSeparatorEscape, false);
  return text;
}

std::string UnescapeField(std::string text) {
  ReplaceAll(text, kFieldSeparatorEscape, std::string_view(&kFieldSeparator, 1), false);
  return text;
}

std::string TrimControl(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return std::string(text.substr(b, e - b));
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

std::optional<std::int32_t> ParseInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i == s.size()) return std::nullopt;
  bool hex = false;
  if (s[i] == '$' || s[i] == 'x' || s[i] == 'X') {
    hex = true;
    ++i;
  } else if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (hex) {
    if (i == s.size()) return std::nullopt;
    std::uint64_t v = 0;
    for (; i < s.size(); ++i) {
      char c = s[i];
      int d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else return std::nullopt;
      v = v * 16 + static_cast<std::uint64_t>(d);
      if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  }
  bool neg = false;
  if (s[i] == '+' || s[i] == '-') {
    neg = s[i] == '-';
    ++i;
  }
  if (i == s.size()) return std::nullopt;
  std::int64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (neg) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace navforge
