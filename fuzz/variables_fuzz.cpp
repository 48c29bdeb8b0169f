// Variables file reader. What loads saves and loads back to the same list, less the
// entries with an empty name (their line starts with the separator); a name whose "$"
// removal formed "&para;" comes back with the separator byte in its place.
#include "fuzzfile.h"
#include "persist/vars.h"
#include "support/errors.h"
#include "support/strutil.h"

using namespace navforge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::PutFile("v.nfv", std::string_view(reinterpret_cast<const char*>(data), size));
  TParseList list;
  list.LoadFromFile(path);
  const std::string again = fuzz::Folder() + "again.nfv";
  list.SaveToFile(again);
  TParseList back;
  back.LoadFromFile(again);
  std::size_t k = 0;
  for (const TVarItem& v : list.Vars) {
    if (v.Name.find('$') != std::string::npos) fuzz::Fail("a name holds $");
    if (v.Name.empty()) continue;
    if (k >= back.Vars.size() || back.Vars[k].Name != UnescapeField(v.Name) || back.Vars[k].Value != v.Value)
      fuzz::Fail("variable changed by save and load");
    ++k;
  }
  if (k != back.Vars.size()) fuzz::Fail("extra variables after save and load");
  return 0;
}
