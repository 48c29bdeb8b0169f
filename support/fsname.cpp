#include "fsname.h"

#include "cp1252.h"

namespace navforge {

std::string ToFsName(std::string_view path) { return Cp1252ToUtf8(path); }

std::string FromFsName(std::string_view name) {
  std::string out;
  if (Utf8ToCp1252(name, out)) return out;
  return std::string(name);
}

}  // namespace navforge
