#pragma once
// Version information of a program file. The build puts a block into every program and
// module it makes (cmake/VersionInfo.cmake): in the ELF section ".navforge_version",
// the magic "NFVINFO1" and then pairs of zero-terminated texts, key then value,
// ended by an empty key or the end of the section. Texts are Windows-1252.
//
// The file is read, never mapped or run; every offset and size in it is checked
// against the file's length, so damaged or hostile files give the empty text.
// Nothing here throws except std::bad_alloc.
#include <string>
#include <string_view>

namespace navforge {

inline constexpr std::string_view kVersionSectionName = ".navforge_version";
inline constexpr std::string_view kVersionBlockMagic = "NFVINFO1";

// The text stored under Key (A-Z matched without regard to case) in the version block of
// the file FileName; the empty text for a file without the block, a block without the
// key, a file that is not an ELF file (32 or 64 bit, either byte order), or a file that
// cannot be read. Only regular files are read.
std::string GetVersionString(const std::string& fileName, std::string_view key);

// The same lookup on a file's bytes held in memory.
std::string GetVersionStringFromImage(std::string_view image, std::string_view key);

}  // namespace navforge
