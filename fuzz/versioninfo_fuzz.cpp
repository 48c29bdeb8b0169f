// Version-information reader on damaged program files. An input starting with an even
// byte is taken as the whole file; with an odd byte the rest patches a valid 32- or
// 64-bit image (pairs of offset and value byte), which reaches the section-table walk
// far more often than random bytes do. Properties: whatever is found consists of the
// file's own bytes, and reading the file from disk agrees with reading it in memory.
#include <cstring>

#include "fuzzfile.h"
#include "support/versioninfo.h"

using namespace navforge;

namespace {

void Put(std::string& img, std::size_t pos, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) img[pos + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// Header, the block, the name table, then three section headers (null, block, names).
std::string ValidImage(bool is64) {
  const std::size_t header = is64 ? 64 : 52, entry = is64 ? 64 : 40;
  static const char kBlock[] = "NFVINFO1LegalCopyright\0(c) Orvane\0ProductVersion\0" "2.1\0";
  static const char kNames[] = ".navforge_version\0.shstrtab";
  std::string block(kBlock, sizeof kBlock);  // with the final zero: the end mark
  std::string names(kNames, sizeof kNames);
  names.insert(0, 1, '\0');
  std::string img(header, '\0');
  std::memcpy(img.data(), "\x7F" "ELF", 4);
  img[4] = is64 ? 2 : 1;
  img[5] = 1;
  const std::size_t blockAt = img.size();
  img += block;
  const std::size_t namesAt = img.size();
  img += names;
  const std::size_t table = img.size();
  img.append(3 * entry, '\0');
  const int addr = is64 ? 8 : 4;
  auto section = [&](std::size_t i, std::uint32_t name, std::uint32_t type, std::size_t off, std::size_t size) {
    const std::size_t at = table + i * entry;
    Put(img, at, name, 4);
    Put(img, at + 4, type, 4);
    Put(img, at + (is64 ? 0x18 : 0x10), off, addr);
    Put(img, at + (is64 ? 0x20 : 0x14), size, addr);
  };
  section(1, 1, 1, blockAt, block.size());
  section(2, 19, 3, namesAt, names.size());
  Put(img, is64 ? 0x28 : 0x20, table, addr);
  Put(img, is64 ? 0x3A : 0x2E, entry, 2);
  Put(img, is64 ? 0x3C : 0x30, 3, 2);
  Put(img, is64 ? 0x3E : 0x32, 2, 2);
  return img;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string image;
  if (data[0] % 2 == 0) {
    image.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  } else {
    image = ValidImage(data[0] & 2);
    for (std::size_t i = 1; i + 1 < size; i += 2) image[data[i] % image.size()] = static_cast<char>(data[i + 1]);
    if (size == 1 && GetVersionStringFromImage(image, "LegalCopyright") != "(c) Orvane")
      fuzz::Fail("the undamaged image is not read");
  }
  for (const char* key : {"LegalCopyright", "productversion"}) {
    const std::string inMemory = GetVersionStringFromImage(image, key);
    if (image.find(inMemory) == std::string::npos) fuzz::Fail("a text that is not in the file");
    if (GetVersionString(fuzz::PutFile("prog", image), key) != inMemory)
      fuzz::Fail("file and memory readings differ");
  }
  return 0;
}
