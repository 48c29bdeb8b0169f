// Settings file reader (both formats) and the profile-file layer under it: after a
// key is written, reading it gives the written value and every other key reads as
// before.
#include "fuzzfile.h"
#include "persist/settings.h"
#include "support/errors.h"
#include "support/profile.h"

using namespace navforge;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::PutFile("m.nfs", bytes);
  fuzz::PutFile("m.msf", bytes);
  for (std::int32_t version : {2, -1}) {
    TMenuFormat format;
    try {
      LoadSettings(format, fuzz::Folder() + "m", version);
    } catch (const EConvertError&) {
    }
  }

  TProfileFile profile(bytes);
  const char* keys[] = {"TextColor", "Title", "hr", "panel1", "x"};
  std::string before[5];
  for (int i = 0; i < 5; ++i) before[i] = profile.ReadString("Main", keys[i], "\x01");
  profile.WriteString("MAIN", "title", "  Neu ");
  TProfileFile reread(profile.Bytes());
  if (reread.ReadString("main", "Title", "") != "Neu") fuzz::Fail("written key does not read back");
  for (int i = 0; i < 5; ++i)
    if (i != 1 && reread.ReadString("Main", keys[i], "\x01") != before[i]) fuzz::Fail("another key changed");
  return 0;
}
