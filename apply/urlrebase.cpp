#include "apply/urlrebase.h"

#include <cctype>

#include "support/strutil.h"

namespace navforge::apply {
namespace {

std::vector<std::string> Segments(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::string_view part = path.substr(start, slash == std::string_view::npos ? std::string_view::npos
                                                                                      : slash - start);
    if (!part.empty()) parts.emplace_back(part);
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return parts;
}

bool IsRelative(std::string_view url) {
  if (url.empty() || url[0] == '/' || url[0] == '\\' || url[0] == '#' || url[0] == '?') return false;
  // A scheme: letters, digits, "+", "-", "." up to a ":" before any "/", "?" or "#".
  for (const char c : url) {
    if (c == ':') return false;
    if (c == '/' || c == '?' || c == '#') break;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') break;
  }
  return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool IsUrlAttribute(std::string_view name) {
  for (const char* known : {"href", "src", "action", "formaction", "poster", "data"})
    if (SameTextAscii(name, known)) return true;
  return false;
}

}  // namespace

UrlRebase::UrlRebase(std::string_view fromFolder, std::string_view toFolder)
    : from_(Segments(fromFolder)), to_(Segments(toFolder)) {}

std::string UrlRebase::Url(std::string_view url) const {
  if (!IsRelative(url) || from_ == to_) return std::string(url);
  const std::size_t cut = url.find_first_of("?#");
  const std::string_view path = url.substr(0, cut);
  const std::string_view rest = cut == std::string_view::npos ? std::string_view() : url.substr(cut);
  // The target's parts from the root, "." and ".." resolved as a browser does.
  std::vector<std::string> target = from_;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::string_view part = path.substr(start, slash == std::string_view::npos ? std::string_view::npos
                                                                                      : slash - start);
    const bool last = slash == std::string_view::npos;
    if (part == "..") {
      if (!target.empty()) target.pop_back();
      if (last) target.emplace_back();
    } else if (part == ".") {
      if (last) target.emplace_back();
    } else if (!part.empty() || last) {
      target.emplace_back(part);  // the last part, a file name or "" after a final "/"
    }
    if (last) break;
    start = slash + 1;
  }
  const std::size_t folders = target.size() - 1;
  std::size_t common = 0;
  while (common < folders && common < to_.size() && target[common] == to_[common]) ++common;
  std::string result;
  for (std::size_t i = common; i < to_.size(); ++i) result += "../";
  for (std::size_t i = common; i < target.size(); ++i) {
    result += target[i];
    if (i + 1 < target.size()) result += '/';
  }
  if (result.empty()) result = "./";  // the folder itself
  return result + std::string(rest);
}

std::string UrlRebase::Html(std::string_view html) const {
  std::string out;
  out.reserve(html.size() + html.size() / 16);
  std::size_t i = 0;
  while (i < html.size()) {
    // url( … ) in a style
    if ((html[i] == 'u' || html[i] == 'U') && SameTextAscii(html.substr(i, 4), "url(")) {
      std::size_t v = i + 4;
      while (v < html.size() && IsSpace(html[v])) ++v;
      const char quote = v < html.size() && (html[v] == '"' || html[v] == '\'') ? html[v] : 0;
      const std::size_t begin = quote ? v + 1 : v;
      const std::size_t end = quote ? html.find(quote, begin) : html.find_first_of(") \t\r\n", begin);
      if (end != std::string_view::npos) {
        out.append(html.substr(i, begin - i));
        out += Url(html.substr(begin, end - begin));
        i = end;
        continue;
      }
    }
    // name=value of an attribute: the name ends right before "=" (blanks allowed).
    if (html[i] == '=' ) {
      std::size_t n = out.size();
      while (n > 0 && IsSpace(out[n - 1])) --n;
      std::size_t s = n;
      while (s > 0 && (std::isalpha(static_cast<unsigned char>(out[s - 1])) || out[s - 1] == '-')) --s;
      const std::string_view name(out.data() + s, n - s);
      const bool srcset = SameTextAscii(name, "srcset");
      if (s > 0 && IsSpace(out[s - 1]) && (srcset || IsUrlAttribute(name))) {
        std::size_t v = i + 1;
        while (v < html.size() && IsSpace(html[v])) ++v;
        const char quote = v < html.size() && (html[v] == '"' || html[v] == '\'') ? html[v] : 0;
        const std::size_t begin = quote ? v + 1 : v;
        std::size_t end = quote ? html.find(quote, begin) : begin;
        if (!quote)
          while (end < html.size() && !IsSpace(html[end]) && html[end] != '>') ++end;
        if (end != std::string_view::npos) {
          out.append(html.substr(i, begin - i));
          const std::string_view value = html.substr(begin, end - begin);
          if (!srcset) {
            out += Url(value);
          } else {
            // "a.png 1x, b.png 2x": the first word of each candidate is a URL.
            std::size_t p = 0;
            while (p < value.size()) {
              while (p < value.size() && (IsSpace(value[p]) || value[p] == ',')) out += value[p++];
              std::size_t q = p;
              while (q < value.size() && !IsSpace(value[q])) ++q;
              std::string_view candidate = value.substr(p, q - p);
              const bool comma = !candidate.empty() && candidate.back() == ',';
              if (comma) candidate.remove_suffix(1);
              out += Url(candidate);
              if (comma) out += ',';
              p = q;
              while (p < value.size() && value[p] != ',') out += value[p++];
            }
          }
          i = end;
          continue;
        }
      }
    }
    out += html[i++];
  }
  return out;
}

}  // namespace navforge::apply
