// Legacy menu reader: the input is split at its first zero byte into the menu file
// and the ".mmf" companion. Whatever the companion holds, the entry count is the
// menu file's line count.
#include <cstring>

#include "fuzzfile.h"
#include "persist/menufile.h"
#include "support/errors.h"
#include "support/textfile.h"

using namespace navforge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t cut = all.find('\0');
  std::string_view menu = all.substr(0, cut);
  std::string_view companion = cut == std::string_view::npos ? std::string_view() : all.substr(cut + 1);
  const std::string path = fuzz::PutFile("old.txt", menu);
  fuzz::PutFile("old.mmf", companion);
  TMenutree items;
  try {
    LoadItems(items, path, -1);
  } catch (const ENavforgeError&) {
    fuzz::Fail("legacy load failed with both files present");
  }
  if (items.size() != SplitLines(menu).size()) fuzz::Fail("entry count is not the menu's line count");
  for (const TMTItem& it : items)
    if (it.Caption.find(';') != std::string::npos || it.Link.find(';') != std::string::npos ||
        it.Target.find(';') != std::string::npos)
      fuzz::Fail("a companion field holds the separator");
  return 0;
}
