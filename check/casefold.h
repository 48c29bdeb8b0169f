#pragma once
// Windows-1252 text folded to lower case, for comparing file names the way a file
// system that ignores letter case does (umlauts included).
#include <string>
#include <string_view>

namespace navforge::check {

std::string FoldCaseCp1252(std::string_view text);

}  // namespace navforge::check
