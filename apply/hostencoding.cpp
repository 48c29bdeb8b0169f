#include "apply/hostencoding.h"

#include <algorithm>

#include "import/pageencoding.h"
#include "support/cp1252.h"
#include "support/strutil.h"

namespace navforge::apply {
namespace {

// The charset a <meta> in the first 1,024 bytes declares, as the browser's prescan
// finds it: a charset attribute, or "charset=" in a content attribute.
std::string DeclaredLabel(std::string_view page) {
  const std::string head = LowerAscii(page.substr(0, 1024));
  for (std::size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 5)) {
    const std::size_t end = head.find('>', at);
    const std::string_view tag = std::string_view(head).substr(at, end == std::string::npos ? std::string::npos : end - at);
    const std::size_t cs = tag.find("charset");
    if (cs == std::string_view::npos) continue;
    std::size_t v = tag.find('=', cs);
    if (v == std::string_view::npos) continue;
    ++v;
    while (v < tag.size() && (tag[v] == ' ' || tag[v] == '"' || tag[v] == '\'')) ++v;
    std::size_t e = v;
    while (e < tag.size() && tag[e] != '"' && tag[e] != '\'' && tag[e] != ';' && tag[e] != ' ' && tag[e] != '/') ++e;
    return std::string(tag.substr(v, e - v));
  }
  return {};
}

void AppendReference(std::string& out, char32_t cp) { out += "&#" + std::to_string(cp) + ";"; }

}  // namespace

std::optional<HostEncoding> DetectHostEncoding(std::string_view page) {
  import::PageEncoding encoding = import::PageEncoding::Utf8;
  std::size_t bom = 0;
  if (import::DetectBom(page, encoding, bom))
    return encoding == import::PageEncoding::Utf8 ? std::optional(HostEncoding::Utf8) : std::nullopt;
  const std::string label = DeclaredLabel(page);
  if (!label.empty()) {
    if (!import::EncodingFromLabel(label, encoding)) return std::nullopt;
    return encoding == import::PageEncoding::Utf8 ? HostEncoding::Utf8 : HostEncoding::Windows1252;
  }
  return import::IsValidUtf8(page) ? HostEncoding::Utf8 : HostEncoding::Windows1252;
}

void ToHostEncoding(std::string& text, bool utf8, HostEncoding encoding) {
  if (!utf8) {
    if (encoding == HostEncoding::Utf8) text = Cp1252ToUtf8(text);
    return;
  }
  if (encoding == HostEncoding::Utf8) return;
  // Most of a menu is ASCII: the text is converted from its first other byte on.
  const auto other = std::find_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (other == text.end()) return;
  std::string out(text.begin(), other);
  out.reserve(text.size());
  for (std::size_t i = static_cast<std::size_t>(other - text.begin()); i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += text[i++];
      continue;
    }
    const std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t cp = len == 1 ? 0xFFFD : lead & (0x3F >> (len - 1));
    std::size_t k = 1;
    for (; len > 1 && k < len && i + k < text.size(); ++k) {
      const auto cc = static_cast<unsigned char>(text[i + k]);
      if ((cc & 0xC0) != 0x80) break;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (k < len) cp = 0xFFFD;  // a broken sequence stands for one unknown character
    i += k;
    const int byte = UnicodeToCp1252(cp);
    if (byte >= 0)
      out += static_cast<char>(byte);
    else
      AppendReference(out, cp);
  }
  text = std::move(out);
}

}  // namespace navforge::apply
