#include "import/pagecaption.h"

#include <gumbo.h>

#include <memory>

#include "import/pageencoding.h"
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

std::string CaptionText(const GumboOutput& page) {
  for (GumboTag tag : {GUMBO_TAG_TITLE, GUMBO_TAG_H1})
    if (const GumboNode* element = FindFirst(page.document, tag)) {
      std::string text;
      AppendText(element, text);
      text = CollapseWhiteSpace(text);
      if (!text.empty()) return text;
    }
  return {};
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
  std::string utf8;
  ParsedPage page;
  if (DetectBom(bytes, encoding, bomLength)) {
    utf8 = ToUtf8(bytes.substr(bomLength), encoding);
    page = Parse(utf8);
  } else {
    // Markup is ASCII in every encoding looked at here, so a first parse of the raw
    // bytes finds the declaration; a page in another encoding is parsed once more.
    page = Parse(bytes);
    if (!IsAscii(bytes)) {
      const std::string label = DeclaredCharset(page->document);
      const bool valid = IsValidUtf8(bytes);
      bool lost = false;  // a label is ASCII; anything else shows as "?"
      if (label.empty() || !EncodingFromLabel(label, encoding)) {
        encoding = valid ? PageEncoding::Utf8 : PageEncoding::Windows1252;
        if (!label.empty())
          result.EncodingNote = "unbekannte Zeichenkodierung \"" + Utf8ToCp1252Replacing(label, lost) +
                                "\", gelesen als " +
                                (valid ? "UTF-8" : "Windows-1252");
      } else if (encoding == PageEncoding::Utf8 && !valid) {
        encoding = PageEncoding::Windows1252;
        result.EncodingNote = "als UTF-8 angegeben, aber kein g\xFC""ltiges UTF-8; gelesen als Windows-1252";
      }
      if (encoding == PageEncoding::Windows1252) page = Parse(utf8 = ToUtf8(bytes, encoding));
    }
  }
  result.Caption = Utf8ToCp1252Replacing(CaptionText(*page), result.Unmappable);
  return result;
}

}  // namespace navforge::import
