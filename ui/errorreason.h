#pragma once
// Why a file could not be written: the error's own message says which file, the
// reason on a second line says what to mend (a missing folder, no permission).
#include <string>

namespace navforge {

class ENavforgeError;

// The reason the file at path (a file-system name) cannot be created or written, in
// German (Windows-1252); "" when none can be told.
std::string WriteProblem(const std::string& path);

// The error's message (Windows-1252, the file name whole where it can be), with the
// reason on a second line for a file that could not be created or written.
std::string ErrorText(const ENavforgeError& error);

}  // namespace navforge
