// A site page as the menu is set into it: its markers (menu and trail) found, its encoding read, and the
// menu's URLs rebased and converted. Whatever the page holds, each step ends in time
// linear in the page, a marked part lies inside the page, and rebasing leaves a text
// without URLs as it was.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "apply/hostencoding.h"
#include "apply/urlrebase.h"
#include "core/menumarkers.h"

using namespace navforge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const MarkedPart marked = FindMarkedPart(page);
  if (marked.Is == MarkedPart::Found && (marked.Begin > marked.End || marked.End > page.size())) __builtin_trap();
  const MarkedPart path = FindMarkedPart(page, kPathBegin, kPathEnd);
  if (path.Is == MarkedPart::Found && (path.Begin > path.End || path.End > page.size())) __builtin_trap();
  const std::optional<apply::HostEncoding> encoding = apply::DetectHostEncoding(page);
  std::string text(page);
  apply::ToHostEncoding(text, true, encoding.value_or(apply::HostEncoding::Windows1252));
  const apply::UrlRebase rebase("/site", "/site/a/b");
  const std::string rebased = rebase.Html(page);
  std::string lower(page);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (page.find('=') == std::string_view::npos && lower.find("url(") == std::string::npos && rebased != page)
    __builtin_trap();
  return 0;
}
