// A stand-in for both dialog modules: records each call in the TModuleCall that the
// caller passes as the application object.
#include <dlfcn.h>

#include <cstring>

#include "extdlg/moduleapi.h"
#include "testmodule.h"

namespace {

void Record(void* application, const char* entry, void* self, const unsigned char* const* texts, std::int32_t value) {
  auto* call = static_cast<TModuleCall*>(application);
  ++call->Calls;
  std::strncpy(call->Entry, entry, sizeof call->Entry - 1);
  call->Application = application;
  for (int i = 0; i < 4; ++i) std::memcpy(call->Texts[i], texts[i], 1u + texts[i][0]);
  call->Value = value;
  Dl_info info{};
  if (::dladdr(self, &info) && info.dli_fname) std::strncpy(call->ModuleFile, info.dli_fname, sizeof call->ModuleFile - 1);
}

}  // namespace

extern "C" void showaboutdialog(void* application, const unsigned char* programText, const unsigned char* text2,
                                const unsigned char* legalNotice, const unsigned char* text4, std::int32_t value) {
  const unsigned char* texts[4] = {programText, text2, legalNotice, text4};
  Record(application, "showaboutdialog", reinterpret_cast<void*>(&showaboutdialog), texts, value);
}

extern "C" void showvercontroldialog(void* application, const unsigned char* text1, const unsigned char* text2,
                                     const unsigned char* productKey, const unsigned char* text4) {
  const unsigned char* texts[4] = {text1, text2, productKey, text4};
  Record(application, "showvercontroldialog", reinterpret_cast<void*>(&showvercontroldialog), texts, -1);
}
