#include "import/contentframe.h"

#include <gumbo.h>

#include <memory>

#include "import/pageencoding.h"
#include "import/sitelinks.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge::import {
namespace {

struct Frame {
  std::string src, name;  // Windows-1252
};

std::string Attribute(const GumboNode* node, const char* name) {
  const GumboAttribute* a = gumbo_get_attribute(&node->v.element.attributes, name);
  bool lost = false;
  return a ? Utf8ToCp1252Replacing(a->value, lost) : std::string();
}

void CollectFrames(const GumboNode* node, std::vector<Frame>& frames) {
  if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT) return;
  if (node->type == GUMBO_NODE_ELEMENT &&
      (node->v.element.tag == GUMBO_TAG_FRAME || node->v.element.tag == GUMBO_TAG_IFRAME))
    frames.push_back({Attribute(node, "src"), TrimControl(Attribute(node, "name"))});
  const GumboVector& children =
      node->type == GUMBO_NODE_ELEMENT ? node->v.element.children : node->v.document.children;
  for (unsigned i = 0; i < children.length; ++i) CollectFrames(static_cast<const GumboNode*>(children.data[i]), frames);
}

// The frames of a page; names of frames are ASCII mostly, but a Windows-1252 page is
// read as such.
std::vector<Frame> FramesOf(const std::string& bytes) {
  PageEncoding encoding = PageEncoding::Utf8;
  std::size_t bom = 0;
  std::string utf8;
  if (DetectBom(bytes, encoding, bom)) utf8 = ToUtf8(std::string_view(bytes).substr(bom), encoding);
  else utf8 = IsValidUtf8(bytes) ? bytes : ToUtf8(bytes, PageEncoding::Windows1252);
  std::unique_ptr<GumboOutput, void (*)(GumboOutput*)> parsed(
      gumbo_parse_with_options(&kGumboDefaultOptions, utf8.data(), utf8.size()),
      [](GumboOutput* o) { gumbo_destroy_output(&kGumboDefaultOptions, o); });
  std::vector<Frame> frames;
  CollectFrames(parsed->document, frames);
  return frames;
}

}  // namespace

std::optional<ContentFrame> FindContentFrame(const std::vector<std::string>& pages, const std::string& menuPage) {
  const std::string menu = AbsolutePath(menuPage);
  for (const std::string& page : pages) {
    std::string bytes;
    try {
      bytes = ReadWholeFile(StoredPathToFs(page));
    } catch (const ENavforgeError&) {
      continue;
    }
    if (LowerAscii(bytes).find("frame") == std::string::npos) continue;  // most pages: no parse
    const std::vector<Frame> frames = FramesOf(bytes);
    const std::string folder = ExtractFilePath(AbsolutePath(page));
    bool loadsMenu = false;
    for (const Frame& f : frames) loadsMenu = loadsMenu || LocalLinkTarget(f.src, folder) == menu;
    if (!loadsMenu) continue;
    for (const Frame& f : frames)
      if (!f.name.empty() && LocalLinkTarget(f.src, folder) != menu) return ContentFrame{f.name, AbsolutePath(page)};
  }
  return std::nullopt;
}

}  // namespace navforge::import
