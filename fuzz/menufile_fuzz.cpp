// Menu file reader: version detection and the version 2 reader. Whatever loads must
// save and load back to the same entries and levels (loaded texts hold no line break and
// no "&para;" any more), and no entry stands more than one level below the one before.
#include "fuzzfile.h"
#include "persist/menufile.h"
#include "support/errors.h"

using namespace navforge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::PutFile("m.nff", std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    ReadFileVersion(path);
  } catch (const ENavforgeError&) {
  }
  TMenutree items;
  try {
    LoadItems(items, path, 2);
  } catch (const ENavforgeError&) {
    return 0;
  }
  const std::string again = fuzz::Folder() + "again.nff";
  SaveItems(items, again);
  if (ReadFileVersion(again) != 2) fuzz::Fail("saved menu is not version 2");
  TMenutree back;
  LoadItems(back, again, 2);
  if (back.size() != items.size()) fuzz::Fail("entry count changed");
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (back[i].Caption != items[i].Caption || back[i].Link != items[i].Link || back[i].Target != items[i].Target ||
        back[i].IsSubItem != items[i].IsSubItem || LevelOf(back[i]) != LevelOf(items[i]))
      fuzz::Fail("entry changed by save and load");
    if (LevelOf(items[i]) > (i > 0 ? LevelOf(items[i - 1]) : 0) + 1) fuzz::Fail("entry more than one level deeper");
  }
  return 0;
}
