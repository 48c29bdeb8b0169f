#pragma once
// Path pieces. The directory part of a path is everything up to and including its
// last "/" or "\"; with neither it is "X:" when the second character is ":", else
// empty. Files the program names itself are joined with "/".
#include <string>
#include <string_view>

namespace navforge {

std::string ExtractFilePath(std::string_view path);  // directory part, as above
std::string ExtractFileName(std::string_view path);  // the rest after the directory part
// The file name's extension from its last "." on (with the dot); empty without a dot.
std::string ExtractFileExt(std::string_view path);
// Replaces the extension (from the file name's last "." on) by ext; a file name
// without "." gets ext appended. Folder names are never touched. ext "" removes it.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// The running executable's full path, and its folder with a trailing "/".
std::string ProgramFile();
std::string ProgramFolder();

}  // namespace navforge
