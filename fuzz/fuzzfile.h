#pragma once
// The readers take paths, so each fuzz input goes to a file in a private folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace navforge::fuzz {

// A folder of this process, made once and kept for the whole run (with a trailing "/").
const std::string& Folder();
// Writes bytes to Folder() + name and returns the path.
std::string PutFile(const std::string& name, std::string_view bytes);
// Aborts with the message, so the fuzzer reports a broken property as a crash.
[[noreturn]] void Fail(const char* what);

}  // namespace navforge::fuzz
