#pragma once
// What the test module records of a call: the loader tests pass a TModuleCall as the
// application object and read back what arrived.
#include <cstdint>

struct TModuleCall {
  int Calls = 0;
  char Entry[32] = {};
  void* Application = nullptr;
  unsigned char Texts[4][256] = {};
  std::int32_t Value = 0;
  char ModuleFile[4096] = {};  // the library file the call ran in
};
