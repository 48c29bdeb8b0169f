#include "elfimage.h"

namespace navforge::test {

void TElfImage::Put(std::size_t pos, std::uint64_t value, int bytes) {
  if (Bytes.size() < pos + static_cast<std::size_t>(bytes)) Bytes.resize(pos + static_cast<std::size_t>(bytes));
  for (int i = 0; i < bytes; ++i) {
    int shift = Layout.BigEndian ? 8 * (bytes - 1 - i) : 8 * i;
    Bytes[pos + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
  }
}

TElfImage BuildElf(const std::vector<TElfSection>& sections, const TElfLayout& layout) {
  TElfImage img;
  img.Layout = layout;
  const bool is64 = layout.Is64;
  const std::size_t headerSize = is64 ? 64 : 52;
  img.EntrySize = is64 ? 64 : 40;
  img.Bytes.assign(headerSize, '\0');
  img.Bytes[0] = 0x7F;
  img.Bytes[1] = 'E';
  img.Bytes[2] = 'L';
  img.Bytes[3] = 'F';
  img.Bytes[4] = is64 ? 2 : 1;
  img.Bytes[5] = layout.BigEndian ? 2 : 1;
  img.Bytes[6] = 1;  // EV_CURRENT
  img.Put(0x10, 2, 2);  // ET_EXEC
  img.Put(0x12, is64 ? 62 : 3, 2);

  std::string names(1, '\0');
  std::vector<std::uint64_t> nameOffsets;
  for (const TElfSection& s : sections) {
    img.DataOffset.push_back(img.Bytes.size());
    if (s.Type != 8) img.Bytes += s.Data;  // SHT_NOBITS has no bytes in the file
    nameOffsets.push_back(names.size());
    names += s.Name + '\0';
  }
  const std::uint64_t strtabName = names.size();
  names += std::string(".shstrtab") + '\0';
  const std::uint64_t strtabOffset = img.Bytes.size();
  img.Bytes += names;
  while (img.Bytes.size() % 8) img.Bytes += '\0';

  const std::size_t count = sections.size() + 2;  // null section and name table
  img.NameTableIndex = count - 1;
  img.SectionTable = img.Bytes.size();
  img.Bytes.append(count * img.EntrySize, '\0');
  auto putSection = [&](std::size_t index, std::uint64_t name, std::uint32_t type, std::uint64_t offset,
                        std::uint64_t size, std::uint32_t link) {
    img.Put(img.NameField(index), name, 4);
    img.Put(img.TypeField(index), type, 4);
    img.Put(img.OffsetField(index), offset, img.AddressBytes());
    img.Put(img.SizeField(index), size, img.AddressBytes());
    img.Put(img.SectionField(index, 0x28, 0x18), link, 4);
  };
  for (std::size_t i = 0; i < sections.size(); ++i)
    putSection(i + 1, nameOffsets[i], sections[i].Type, img.DataOffset[i], sections[i].Data.size(), 0);
  putSection(count - 1, strtabName, 3 /*SHT_STRTAB*/, strtabOffset, names.size(), 0);

  img.Put(img.ShOffField(), img.SectionTable, img.AddressBytes());
  img.Put(is64 ? 0x3A : 0x2E, img.EntrySize, 2);
  if (layout.ExtendedNumbering) {
    img.Put(img.ShNumField(), 0, 2);
    img.Put(img.ShStrNdxField(), 0xFFFF, 2);
    putSection(0, 0, 0, 0, count, static_cast<std::uint32_t>(count - 1));
  } else {
    img.Put(img.ShNumField(), count, 2);
    img.Put(img.ShStrNdxField(), count - 1, 2);
  }
  return img;
}

std::string VersionBlock(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string block = "NFVINFO1";
  for (const auto& [key, value] : pairs) block += key + '\0' + value + '\0';
  return block + '\0';
}

}  // namespace navforge::test
