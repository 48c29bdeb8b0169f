#include "import/pagecaption.h"

#include <gumbo.h>

#include <memory>

#include "import/pageencoding.h"
#include "support/cp1252literal.h"
#include "support/strutil.h"

namespace navforge::import {
namespace {

struct OutputDeleter {
  void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};
using ParsedPage = std::unique_ptr<GumboOutput, OutputDeleter>;

ParsedPage Parse(std::string_view utf8) {
  return ParsedPage(gumbo_parse_with_options(&kGumboDefaultOptions, utf8.data(), utf8.size()));
}

// The first element with the given tag, in document order.
const GumboNode* FindFirst(const GumboNode* node, GumboTag tag) {
  if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT) return nullptr;
  if (node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag) return node;
  const GumboVector& children =
      node->type == GUMBO_NODE_ELEMENT ? node->v.element.children : node->v.document.children;
  for (unsigned i = 0; i < children.length; ++i)
    if (const GumboNode* found = FindFirst(static_cast<const GumboNode*>(children.data[i]), tag)) return found;
  return nullptr;
}

// The text of an element as a reader sees it: scripts and styles left out.
void AppendText(const GumboNode* node, std::string& out) {
  switch (node->type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_CDATA:
    case GUMBO_NODE_WHITESPACE:
      out += node->v.text.text;
      return;
    case GUMBO_NODE_ELEMENT: {
      const GumboTag tag = node->v.element.tag;
      if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_TEMPLATE) return;
      if (tag == GUMBO_TAG_BR) out += ' ';
      const GumboVector& children = node->v.element.children;
      for (unsigned i = 0; i < children.length; ++i) AppendText(static_cast<const GumboNode*>(children.data[i]), out);
      return;
    }
    default:
      return;
  }
}

// The charset a <meta> element declares: its charset attribute, or the charset
// parameter of an http-equiv Content-Type's content.
std::string MetaCharset(const GumboNode* meta) {
  const GumboVector& attrs = meta->v.element.attributes;
  if (const GumboAttribute* cs = gumbo_get_attribute(&attrs, "charset")) return cs->value;
  const GumboAttribute* equiv = gumbo_get_attribute(&attrs, "http-equiv");
  const GumboAttribute* content = gumbo_get_attribute(&attrs, "content");
  if (!equiv || !content || !SameTextAscii(TrimControl(equiv->value), "content-type")) return {};
  const std::string value = content->value;
  const std::size_t at = LowerAscii(value).find("charset=");
  if (at == std::string::npos) return {};
  std::string label = value.substr(at + 8);
  label = label.substr(0, label.find(';'));
  std::erase_if(label, [](char c) { return c == '"' || c == '\''; });
  return label;
}

std::string DeclaredCharset(const GumboNode* node) {
  if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT) return {};
  if (node->type == GUMBO_NODE_ELEMENT) {
    if (node->v.element.tag == GUMBO_TAG_META) return MetaCharset(node);
    if (node->v.element.tag == GUMBO_TAG_BODY) return {};  // declarations count only in the head
  }
  const GumboVector& children =
      node->type == GUMBO_NODE_ELEMENT ? node->v.element.children : node->v.document.children;
  for (unsigned i = 0; i < children.length; ++i) {
    std::string found = DeclaredCharset(static_cast<const GumboNode*>(children.data[i]));
    if (!found.empty()) return found;
  }
  return {};
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string ElementText(const GumboOutput& page, GumboTag tag) {
  std::string text;
  if (const GumboNode* element = FindFirst(page.document, tag)) AppendText(element, text);
  return CollapseWhiteSpace(text);
}

// The page up to the end of its first closing tag of the element tag (any letter
// case), or nothing when it has none. Parsing just that is most of the time spent on a
// large site saved: the element and the declarations before it are all a caption needs.
std::string_view UpToClosingTag(std::string_view bytes, std::string_view tag) {
  for (std::size_t at = bytes.find("</"); at != std::string_view::npos; at = bytes.find("</", at + 2)) {
    if (!SameTextAscii(bytes.substr(at + 2, tag.size()), tag)) continue;
    const std::size_t end = bytes.find('>', at);
    return end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
  }
  return {};
}

// The encoding of a page without BOM, from its declaration or its bytes.
PageEncoding ChooseEncoding(std::string_view bytes, const GumboOutput& parsed, std::string& note) {
  if (IsAscii(bytes)) return PageEncoding::Utf8;  // the same text in every encoding taken
  const std::string label = DeclaredCharset(parsed.document);
  const bool valid = IsValidUtf8(bytes);
  PageEncoding encoding = PageEncoding::Utf8;
  bool lost = false;  // a label is ASCII; anything else shows as "?"
  if (label.empty() || !EncodingFromLabel(label, encoding)) {
    if (!label.empty())
      note = "unbekannte Zeichenkodierung \"" + Utf8ToCp1252Replacing(label, lost) + "\", gelesen als " +
             (valid ? "UTF-8" : "Windows-1252");
    return valid ? PageEncoding::Utf8 : PageEncoding::Windows1252;
  }
  if (encoding == PageEncoding::Utf8 && !valid) {
    note = "als UTF-8 angegeben, aber kein gültiges UTF-8; gelesen als Windows-1252"_cp1252;
    return PageEncoding::Windows1252;
  }
  return encoding;
}

}  // namespace

std::string CollapseWhiteSpace(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool blank = false;
  for (char c : text) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

PageCaption ReadPageCaption(std::string_view bytes) {
  PageCaption result;
  PageEncoding encoding = PageEncoding::Utf8;
  std::size_t bomLength = 0;
  std::string text;
  ParsedPage page;
  if (DetectBom(bytes, encoding, bomLength)) {
    text = ToUtf8(bytes.substr(bomLength), encoding);
    page = Parse(text);
  } else {
    // Markup is ASCII in every encoding taken here, so a first parse of the raw bytes
    // finds the declaration; a page in another encoding is parsed once more. The parts
    // tried: up to the end of the title (a page without one: of the first h1), then all.
    std::string_view part = UpToClosingTag(bytes, "title");
    if (part.empty()) part = UpToClosingTag(bytes, "h1");
    if (part.empty()) part = bytes;
    for (;;) {
      page = Parse(part);
      result.EncodingNote.clear();
      encoding = ChooseEncoding(part, *page, result.EncodingNote);
      if (encoding != PageEncoding::Utf8) page = Parse(text = ToUtf8(part, encoding));
      if (part.size() == bytes.size() || !ElementText(*page, GUMBO_TAG_TITLE).empty() ||
          !ElementText(*page, GUMBO_TAG_H1).empty())
        break;
      part = bytes;
    }
  }
  std::string caption = ElementText(*page, GUMBO_TAG_TITLE);
  if (caption.empty()) caption = ElementText(*page, GUMBO_TAG_H1);
  result.Caption = Utf8ToCp1252Replacing(caption, result.Unmappable);
  return result;
}

std::string HtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string PlainText(std::string_view html) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
  std::string out;
  out.reserve(html.size());
  for (std::size_t i = 0; i < html.size();) {
    bool matched = false;
    for (const auto& [entity, c] : kEntities)
      if (html.substr(i, entity.size()) == entity) {
        out += c;
        i += entity.size();
        matched = true;
        break;
      }
    if (!matched) out += html[i++];
  }
  return out;
}

}  // namespace navforge::import
