#include "fsname.h"

#include "cp1252.h"

namespace navforge {

std::string StoredPathToFs(std::string_view text) { return Cp1252ToUtf8(text); }

bool StoredPathFromFs(std::string_view name, std::string& text) {
  std::string out;
  if (!Utf8ToCp1252(name, out)) return false;
  text = std::move(out);
  return true;
}

std::string FromFsName(std::string_view name) {
  std::string out;
  if (StoredPathFromFs(name, out)) return out;
  return std::string(name);
}

}  // namespace navforge
