#include "ui/preview/pagediff.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "support/cp1252.h"

namespace navforge::preview {
namespace {

enum class Kind { Start, End, Text, Comment, Other };

struct Token {
  Kind kind;
  std::string name;  // tags: lower case
  std::string_view raw;  // text, comment data, other: as written
  std::vector<std::pair<std::string, std::string_view>> attributes;  // first of each name
};

bool Space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}
// Their content is text to the parser, up to their end tag (noscript: as in a page with
// script on).
bool RawText(std::string_view tag) {
  return OneOf(tag, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "noscript"});
}
// Elements the engine acts on once, when they arrive: never patched.
bool ActsOnce(std::string_view tag) {
  return OneOf(tag, {"script", "iframe", "frame", "frameset", "object", "embed", "base", "meta", "link", "noscript",
                     "noembed", "noframes", "xmp", "template"});
}
bool Void(std::string_view tag) {
  return OneOf(tag, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source",
                     "track", "wbr"});
}

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
  for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < what.size() && Lower(text[i + k]) == what[k]) ++k;
    if (k == what.size()) return i;
  }
  return std::string_view::npos;
}

std::vector<Token> Tokens(std::string_view s) {
  std::vector<Token> out;
  std::size_t i = 0;
  const auto text = [&](std::size_t from, std::size_t to) {
    if (to > from) out.push_back({Kind::Text, {}, s.substr(from, to - from), {}});
  };
  std::size_t textFrom = 0;
  while (i < s.size()) {
    if (s[i] != '<' || i + 1 >= s.size()) {
      ++i;
      continue;
    }
    const char next = s[i + 1];
    const bool letter = (next | 0x20) >= 'a' && (next | 0x20) <= 'z';
    if (s.compare(i, 4, "<!--") == 0) {
      text(textFrom, i);
      const std::size_t end = s.find("-->", i + 4);
      const std::size_t stop = end == std::string_view::npos ? s.size() : end;
      out.push_back({Kind::Comment, {}, s.substr(i + 4, stop - i - 4), {}});
      i = textFrom = end == std::string_view::npos ? s.size() : end + 3;
    } else if (next == '!' || next == '?') {
      text(textFrom, i);
      const std::size_t end = std::min(s.find('>', i), s.size() - 1);
      out.push_back({Kind::Other, {}, s.substr(i, end + 1 - i), {}});
      i = textFrom = end + 1;
    } else if (next == '/' || letter) {
      text(textFrom, i);
      Token tag{next == '/' ? Kind::End : Kind::Start, {}, {}, {}};
      std::size_t p = i + (next == '/' ? 2 : 1);
      while (p < s.size() && !Space(s[p]) && s[p] != '/' && s[p] != '>') tag.name += Lower(s[p++]);
      // Attributes: name, and a quoted or bare value.
      while (p < s.size() && s[p] != '>') {
        if (Space(s[p]) || s[p] == '/') {
          ++p;
          continue;
        }
        std::string name;
        while (p < s.size() && !Space(s[p]) && s[p] != '/' && s[p] != '>' && (s[p] != '=' || name.empty()))
          name += Lower(s[p++]);
        while (p < s.size() && Space(s[p])) ++p;
        std::string_view value;
        if (p < s.size() && s[p] == '=') {
          ++p;
          while (p < s.size() && Space(s[p])) ++p;
          if (p < s.size() && (s[p] == '"' || s[p] == '\'')) {
            const std::size_t close = s.find(s[p], p + 1);
            const std::size_t stop = close == std::string_view::npos ? s.size() : close;
            value = s.substr(p + 1, stop - p - 1);
            p = std::min(stop + 1, s.size());
          } else {
            const std::size_t from = p;
            while (p < s.size() && !Space(s[p]) && s[p] != '>') ++p;
            value = s.substr(from, p - from);
          }
        }
        const bool seen = std::any_of(tag.attributes.begin(), tag.attributes.end(),
                                      [&](const auto& a) { return a.first == name; });
        if (!seen && tag.kind == Kind::Start) tag.attributes.emplace_back(std::move(name), value);
      }
      i = textFrom = std::min(p + 1, s.size());
      const bool raw = tag.kind == Kind::Start && RawText(tag.name);
      const std::string name = tag.name;
      out.push_back(std::move(tag));
      if (raw) {
        const std::size_t end = FindNoCase(s, "</" + name, i);
        const std::size_t stop = end == std::string_view::npos ? s.size() : end;
        text(i, stop);
        i = textFrom = stop;
      }
    } else {
      ++i;
    }
  }
  text(textFrom, s.size());
  return out;
}

// The value as the page holds it: line breaks as LF and, unless raw, the character
// references resolved. Nothing for a reference this reader does not know.
std::optional<std::string> Decode(std::string_view s, bool raw) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else if (c == '&' && !raw && i + 1 < s.size() &&
               (s[i + 1] == '#' || ((s[i + 1] | 0x20) >= 'a' && (s[i + 1] | 0x20) <= 'z'))) {
      const std::size_t semi = s.find(';', i);
      if (semi == std::string_view::npos || semi - i > 10) return std::nullopt;
      const std::string_view ref = s.substr(i + 1, semi - i - 1);
      static constexpr std::array<std::pair<std::string_view, char32_t>, 6> kNamed{
          {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}}};
      std::uint32_t code = 0;
      if (ref.starts_with('#')) {
        const bool hex = ref.size() > 1 && (ref[1] | 0x20) == 'x';
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 7) return std::nullopt;
        for (char d : digits) {
          const int v = d >= '0' && d <= '9' ? d - '0' : hex && (d | 0x20) >= 'a' && (d | 0x20) <= 'f' ? (d | 0x20) - 'a' + 10 : -1;
          if (v < 0) return std::nullopt;
          code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        }
        // Windows-1252 numbers for 0x80-0x9F are mapped by the engine: not here.
        if (code >= 0x80 && code <= 0x9F) return std::nullopt;
      } else {
        const auto named = std::find_if(kNamed.begin(), kNamed.end(), [&](const auto& n) { return n.first == ref; });
        if (named == kNamed.end()) return std::nullopt;
        code = named->second;
      }
      // As the parser reads them: no NUL, surrogate or number past Unicode.
      AppendUtf8(out, code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? 0xFFFD : code);
      i = semi;
    } else {
      out += c;
    }
  }
  return out;
}

// An element open while the tokens are read: its name, its place among the elements
// of that name, and its children so far.
struct Open {
  std::string tag;
  int index;
  int children = 0;
};

}  // namespace

std::optional<PageDiff> DiffPages(const std::string& before, const std::string& after) {
  // The tokens take several times a page's size: a larger page (a site page may be up to
  // 64 MB) is loaded anew rather than held twice over in memory.
  constexpr std::size_t kLargestPatched = std::size_t{4} << 20;
  if (before.size() > kLargestPatched || after.size() > kLargestPatched) return std::nullopt;
  const std::vector<Token> a = Tokens(before), b = Tokens(after);
  if (a.size() != b.size()) return std::nullopt;
  PageDiff diff;
  std::map<std::string, int> seen;  // elements of each name so far
  std::vector<Open> stack;
  bool templated = false;
  for (std::size_t t = 0; t < a.size(); ++t) {
    const Token& x = a[t];
    const Token& y = b[t];
    if (x.kind != y.kind || x.name != y.name) return std::nullopt;
    switch (x.kind) {
      case Kind::Other:
        if (x.raw != y.raw) return std::nullopt;
        break;
      case Kind::Start: {
        templated = templated || x.name == "template";  // its content is in no element list
        const int index = seen[x.name]++;
        if (!stack.empty()) {
          // A list item or paragraph ends the one before it.
          if (stack.back().tag == x.name && OneOf(x.name, {"li", "p", "option", "dt", "dd", "tr", "td", "th"}))
            stack.pop_back();
          if (!stack.empty()) ++stack.back().children;
        }
        for (const auto& [name, value] : x.attributes) {
          const auto other = std::find_if(y.attributes.begin(), y.attributes.end(), [&](const auto& v) { return v.first == name; });
          if (other == y.attributes.end() || other->second != value) {
            if (ActsOnce(x.name) || name.starts_with("on") || name.find(':') != std::string::npos) return std::nullopt;
            PageEdit edit{x.name, index, -1, name, Decode(value, false), std::nullopt};
            if (!edit.Before) return std::nullopt;
            if (other != y.attributes.end() && !(edit.After = Decode(other->second, false))) return std::nullopt;
            diff.Edits.push_back(std::move(edit));
          }
        }
        for (const auto& [name, value] : y.attributes) {
          if (std::any_of(x.attributes.begin(), x.attributes.end(), [&](const auto& v) { return v.first == name; })) continue;
          if (ActsOnce(x.name) || name.starts_with("on") || name.find(':') != std::string::npos) return std::nullopt;
          PageEdit edit{x.name, index, -1, name, std::nullopt, Decode(value, false)};
          if (!edit.After) return std::nullopt;
          diff.Edits.push_back(std::move(edit));
        }
        if (!Void(x.name)) stack.push_back({x.name, index});
        break;
      }
      case Kind::End: {
        const auto open = std::find_if(stack.rbegin(), stack.rend(), [&](const Open& o) { return o.tag == x.name; });
        if (open != stack.rend()) stack.erase(std::prev(open.base()), stack.end());
        break;
      }
      case Kind::Text:
      case Kind::Comment: {
        if (stack.empty()) {
          if (x.raw != y.raw) return std::nullopt;
          break;
        }
        Open& parent = stack.back();
        const int child = parent.children++;
        if (x.raw == y.raw) break;
        const bool raw = x.kind == Kind::Comment || OneOf(parent.tag, {"style", "script"});
        if (ActsOnce(parent.tag)) return std::nullopt;
        PageEdit edit{parent.tag, parent.index, child, {}, Decode(x.raw, raw), Decode(y.raw, raw)};
        if (!edit.Before || !edit.After) return std::nullopt;
        diff.Edits.push_back(std::move(edit));
        break;
      }
    }
  }
  if (templated && !diff.Edits.empty()) return std::nullopt;
  for (const PageEdit& edit : diff.Edits) diff.TagCounts[edit.Tag] = seen[edit.Tag];
  return diff;
}

}  // namespace navforge::preview
