#pragma once
// Helpers shared by the two dialog modules.
#include <QString>
#include <string>

#include "support/cp1252.h"
#include "support/paths.h"
#include "support/versioninfo.h"

namespace navforge::module {

inline QString FromCp1252(const std::string& text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

// A text of the running program's version block, for display.
inline QString ProgramVersionText(const char* key) { return FromCp1252(GetVersionString(ProgramFile(), key)); }

}  // namespace navforge::module
