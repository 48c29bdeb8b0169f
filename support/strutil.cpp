#include "strutil.h"

#include <algorithm>
#include <array>
#include <cstring>

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

// Finds Pattern in Text from position 'from' (case-folded comparison when requested).
std::size_t Find(std::string_view text, std::size_t from, std::string_view pattern, bool cs) {
  const std::size_t m = pattern.size();
  if (m == 0 || text.size() < m || from > text.size() - m) return std::string_view::npos;
  const unsigned char first = Fold(pattern[0], cs);
  const unsigned char firstUpper =
      (!cs && first >= 'a' && first <= 'z') ? static_cast<unsigned char>(first - 32) : first;
  const std::size_t last = text.size() - m;
  std::size_t i = from;
  while (i <= last) {
    // Jump to the next possible first character with memchr (both cases).
    const char* base = text.data() + i;
    std::size_t span = last - i + 1;
    const void* a = std::memchr(base, first, span);
    const void* b = firstUpper != first ? std::memchr(base, firstUpper, span) : nullptr;
    const char* hit = nullptr;
    if (a && b) hit = static_cast<const char*>(std::min(a, b));
    else if (a) hit = static_cast<const char*>(a);
    else if (b) hit = static_cast<const char*>(b);
    if (!hit) return std::string_view::npos;
    i = static_cast<std::size_t>(hit - text.data());
    std::size_t k = 1;
    while (k < m && Fold(text[i + k], cs) == Fold(pattern[k], cs)) ++k;
    if (k == m) return i;
    ++i;
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

void ReplaceAll(std::string& Text, std::string_view Pattern, std::string_view Replacement,
                bool CaseSensitive) {
  const bool cs = CaseSensitive;
  const std::size_t m = Pattern.size();
  if (m == 0 || Text.empty()) return;
  std::size_t firstHit = Find(Text, 0, Pattern, cs);
  if (firstHit == std::string::npos) return;

  const std::string input = std::move(Text);
  std::string out;
  out.reserve(input.size());

  if (Find(Replacement, 0, Pattern, cs) != std::string_view::npos) {
    ReplaceForward(out, input, Pattern, Replacement, cs);
    Text = std::move(out);
    return;
  }

  // The text being rescanned is: out (scanned, no occurrence starts in it) + work[wpos..]
  // (text re-formed by replacements, still to scan) + input[ipos..] (untouched input).
  std::string work;
  std::size_t wpos = 0;
  std::size_t ipos = firstHit;
  out.append(input, 0, firstHit);
  bool matchAtCursor = true;  // firstHit is an occurrence starting at the cursor

  auto remaining = [&] { return (work.size() - wpos) + (input.size() - ipos); };
  auto charAt = [&](std::size_t k) -> char {  // k-th character from the cursor
    std::size_t w = work.size() - wpos;
    return k < w ? work[wpos + k] : input[ipos + (k - w)];
  };

  while (true) {
    if (wpos == work.size()) {
      // Nothing re-formed is pending: jump through untouched input quickly.
      work.clear();
      wpos = 0;
      if (!matchAtCursor) {
        std::size_t q = Find(input, ipos, Pattern, cs);
        if (q == std::string::npos) {
          out.append(input, ipos, std::string::npos);
          break;
        }
        out.append(input, ipos, q - ipos);
        ipos = q;
      }
    } else if (!matchAtCursor) {
      if (remaining() < m) {
        out.append(work, wpos, std::string::npos);
        out.append(input, ipos, std::string::npos);
        break;
      }
      std::size_t k = 0;
      while (k < m && Fold(charAt(k), cs) == Fold(Pattern[k], cs)) ++k;
      if (k < m) {
        out += work[wpos++];
        continue;
      }
    }
    matchAtCursor = false;

    // An occurrence starts at the cursor: consume it.
    std::size_t fromWork = std::min(m, work.size() - wpos);
    wpos += fromWork;
    ipos += m - fromWork;

    if (out.size() + (work.size() - wpos) + Replacement.size() + (input.size() - ipos) >
        kReplaceAllGrowthLimit) {
      // Growth guard: finish the rest in one forward pass.
      out.append(Replacement);
      std::string rest = work.substr(wpos);
      rest.append(input, ipos, std::string::npos);
      ReplaceForward(out, rest, Pattern, Replacement, cs);
      break;
    }

    // Rescan from m - 1 characters before the replacement: move them back.
    std::size_t back = std::min(m - 1, out.size());
    std::string next;
    next.reserve(back + Replacement.size() + (work.size() - wpos));
    next.append(out, out.size() - back, back);
    next.append(Replacement);
    next.append(work, wpos, std::string::npos);
    out.resize(out.size() - back);
    work = std::move(next);
    wpos = 0;
  }
  Text = std::move(out);
}

std::string GetField(std::string_view Text, char Separator, std::uint8_t FieldNumber) {
  if (FieldNumber == 0 || Text.empty()) return std::string();
  std::size_t start = 0;
  for (unsigned n = 1;; ++n) {
    std::size_t sep = Text.find(Separator, start);
    if (n == FieldNumber) {
      return std::string(Text.substr(start, sep == std::string_view::npos ? std::string_view::npos : sep - start));
    }
    if (sep == std::string_view::npos) return std::string();
    start = sep + 1;
  }
}

std::string BoolToText(bool Value) { return Value ? "1" : "0"; }
bool TextToBool(std::string_view Text) { return Text == "1"; }

std::string EscapeField(std::string Text) {
  ReplaceAll(Text, std::string_view(&kFieldSeparator, 1), kFieldSeparatorEscape, false);
  return Text;
}

std::string UnescapeField(std::string Text) {
  ReplaceAll(Text, kFieldSeparatorEscape, std::string_view(&kFieldSeparator, 1), false);
  return Text;
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

}  // namespace navforge
