#pragma once
// Builds small ELF images in memory (header, section bytes, section name table, section
// header table last), so the version-information reader can be tried on every layout
// and on deliberately damaged files.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace navforge::test {

struct TElfSection {
  std::string Name;
  std::string Data;
  std::uint32_t Type = 1;  // SHT_PROGBITS
};

struct TElfLayout {
  bool Is64 = true;
  bool BigEndian = false;
  bool ExtendedNumbering = false;  // count and name-table index kept in section 0
};

struct TElfImage {
  std::string Bytes;
  TElfLayout Layout;
  std::uint64_t SectionTable = 0;        // file offset of the section header table
  std::uint64_t EntrySize = 0;           // size of one section header
  std::vector<std::uint64_t> DataOffset; // file offset of each given section's bytes
  std::size_t NameTableIndex = 0;        // header index of the section name table

  // Offsets of the header fields and of a field in section header `index` (0 = null).
  std::size_t ShOffField() const { return Layout.Is64 ? 0x28 : 0x20; }
  std::size_t ShEntSizeField() const { return Layout.Is64 ? 0x3A : 0x2E; }
  std::size_t ShNumField() const { return Layout.Is64 ? 0x3C : 0x30; }
  std::size_t ShStrNdxField() const { return Layout.Is64 ? 0x3E : 0x32; }
  std::size_t SectionField(std::size_t index, std::size_t field64, std::size_t field32) const {
    return static_cast<std::size_t>(SectionTable + index * EntrySize) + (Layout.Is64 ? field64 : field32);
  }
  std::size_t NameField(std::size_t index) const { return SectionField(index, 0, 0); }
  std::size_t TypeField(std::size_t index) const { return SectionField(index, 4, 4); }
  std::size_t OffsetField(std::size_t index) const { return SectionField(index, 0x18, 0x10); }
  std::size_t SizeField(std::size_t index) const { return SectionField(index, 0x20, 0x14); }
  int AddressBytes() const { return Layout.Is64 ? 8 : 4; }

  // Overwrites `bytes` bytes at pos with value in the image's byte order.
  void Put(std::size_t pos, std::uint64_t value, int bytes);
};

TElfImage BuildElf(const std::vector<TElfSection>& sections, const TElfLayout& layout = {});

// "NFVINFO1" followed by the pairs and the empty end key.
std::string VersionBlock(const std::vector<std::pair<std::string, std::string>>& pairs);

}  // namespace navforge::test
