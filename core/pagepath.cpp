#include "core/pagepath.h"

namespace navforge {

bool IsPageNameInFolder(std::string_view Name) {
  if (Name == "..") return false;
  return Name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace navforge
