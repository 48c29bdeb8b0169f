#include "versioninfo.h"

#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "strutil.h"
#include "uniquehandle.h"

namespace navforge {
namespace {

// A block is a few hundred bytes; anything far larger is not ours.
constexpr std::uint64_t kMaxBlockSize = 64 * 1024;
// Far beyond any real program; bounds the walk through a damaged table.
constexpr std::uint64_t kMaxSections = 1 << 20;

class ByteSource {
public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Reads exactly n bytes at offset; false when they are not all inside the source.
  virtual bool ReadAt(std::uint64_t offset, void* dst, std::size_t n) const = 0;

protected:
  bool Inside(std::uint64_t offset, std::uint64_t n) const { return n <= Size() && offset <= Size() - n; }
};

class MemorySource : public ByteSource {
public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(std::uint64_t offset, void* dst, std::size_t n) const override {
    if (!Inside(offset, n)) return false;
    if (n) std::memcpy(dst, bytes_.data() + offset, n);
    return true;
  }

private:
  std::string_view bytes_;
};

class FileSource : public ByteSource {
public:
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
  explicit FileSource(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)) {
    struct stat st {};
    if (fd_ && ::fstat(fd_.Get(), &st) == 0 && S_ISREG(st.st_mode)) size_ = static_cast<std::uint64_t>(st.st_size);
  }

  std::uint64_t Size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, void* dst, std::size_t n) const override {
    if (!fd_ || !Inside(offset, n)) return false;
    auto* out = static_cast<char*>(dst);
    while (n > 0) {
      ssize_t got = ::pread(fd_.Get(), out, n, static_cast<off_t>(offset));
      if (got <= 0) return false;  // an error, or the file shrank under us
      out += got;
      offset += static_cast<std::uint64_t>(got);
      n -= static_cast<std::size_t>(got);
    }
    return true;
  }

private:
  UniqueFd fd_;
  std::uint64_t size_ = 0;
};

class ElfReader {
public:
  explicit ElfReader(const ByteSource& src) : src_(src) {}

  // The bytes of the named section, or false.
  bool FindSection(std::string_view name, std::string& data) {
    if (!ReadHeader()) return false;
    Section strtab;
    if (shstrndx_ >= shnum_ || !ReadSection(shstrndx_, strtab) || strtab.Type == kNoBits) return false;
    for (std::uint64_t i = 1; i < shnum_; ++i) {
      Section s;
      if (!ReadSection(i, s)) return false;
      if (s.Type == kNoBits || !NameIs(strtab, s.Name, name)) continue;
      if (s.Size > kMaxBlockSize) return false;
      data.resize(static_cast<std::size_t>(s.Size));
      return src_.ReadAt(s.Offset, data.data(), data.size());
    }
    return false;
  }

private:
  static constexpr std::uint32_t kNoBits = 8;       // SHT_NOBITS: the section has no bytes in the file
  static constexpr std::uint64_t kExtendedIndex = 0xFFFF;  // SHN_XINDEX

  struct Section {
    std::uint32_t Name = 0;
    std::uint32_t Type = 0;
    std::uint64_t Offset = 0;
    std::uint64_t Size = 0;
    std::uint32_t Link = 0;
  };

  std::uint64_t Get(const unsigned char* p, int bytes) const {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) {
      int shift = bigEndian_ ? 8 * (bytes - 1 - i) : 8 * i;
      v |= static_cast<std::uint64_t>(p[i]) << shift;
    }
    return v;
  }

  bool ReadHeader() {
    unsigned char h[64];
    if (!src_.ReadAt(0, h, 52)) return false;  // the smaller, 32-bit header
    if (h[0] != 0x7F || h[1] != 'E' || h[2] != 'L' || h[3] != 'F') return false;
    if (h[4] != 1 && h[4] != 2) return false;
    if (h[5] != 1 && h[5] != 2) return false;
    is64_ = h[4] == 2;
    bigEndian_ = h[5] == 2;
    if (is64_) {
      if (!src_.ReadAt(0, h, 64)) return false;
      shoff_ = Get(h + 0x28, 8);
      shentsize_ = Get(h + 0x3A, 2);
      shnum_ = Get(h + 0x3C, 2);
      shstrndx_ = Get(h + 0x3E, 2);
    } else {
      shoff_ = Get(h + 0x20, 4);
      shentsize_ = Get(h + 0x2E, 2);
      shnum_ = Get(h + 0x30, 2);
      shstrndx_ = Get(h + 0x32, 2);
    }
    if (shoff_ == 0 || shentsize_ < (is64_ ? 64u : 40u)) return false;
    // More than 0xFF00 sections: the real count and string-table index live in section 0.
    const std::uint64_t headerCount = shnum_;
    if (headerCount == 0 || shstrndx_ == kExtendedIndex) {
      shnum_ = 1;  // lets ReadSection reach section 0
      Section zero;
      if (!ReadSection(0, zero)) return false;
      shnum_ = headerCount != 0 ? headerCount : zero.Size;
      if (shstrndx_ == kExtendedIndex) shstrndx_ = zero.Link;
    }
    if (shnum_ > kMaxSections) return false;
    // The whole table must lie inside the file.
    if (shnum_ == 0 || shnum_ > src_.Size() / shentsize_ || shoff_ > src_.Size() - shnum_ * shentsize_) return false;
    return true;
  }

  bool ReadSection(std::uint64_t index, Section& s) const {
    if (index >= shnum_ || index > (UINT64_MAX - shoff_) / shentsize_) return false;
    unsigned char e[64];
    if (!src_.ReadAt(shoff_ + index * shentsize_, e, is64_ ? 64 : 40)) return false;
    s.Name = static_cast<std::uint32_t>(Get(e, 4));
    s.Type = static_cast<std::uint32_t>(Get(e + 4, 4));
    if (is64_) {
      s.Offset = Get(e + 0x18, 8);
      s.Size = Get(e + 0x20, 8);
      s.Link = static_cast<std::uint32_t>(Get(e + 0x28, 4));
    } else {
      s.Offset = Get(e + 0x10, 4);
      s.Size = Get(e + 0x14, 4);
      s.Link = static_cast<std::uint32_t>(Get(e + 0x18, 4));
    }
    return true;
  }

  // Whether the zero-terminated name at nameOffset in the string table is exactly name.
  bool NameIs(const Section& strtab, std::uint32_t nameOffset, std::string_view name) const {
    std::uint64_t want = name.size() + 1;
    if (nameOffset > strtab.Size || want > strtab.Size - nameOffset) return false;
    if (strtab.Offset > UINT64_MAX - nameOffset) return false;
    std::string buf(name.size() + 1, '\0');
    if (!src_.ReadAt(strtab.Offset + nameOffset, buf.data(), buf.size())) return false;
    return buf.back() == '\0' && std::string_view(buf.data(), name.size()) == name;
  }

  const ByteSource& src_;
  bool is64_ = false;
  bool bigEndian_ = false;
  std::uint64_t shoff_ = 0, shentsize_ = 0, shnum_ = 0, shstrndx_ = 0;
};

std::string LookUpKey(std::string_view block, std::string_view key) {
  if (block.substr(0, kVersionBlockMagic.size()) != kVersionBlockMagic) return std::string();
  block.remove_prefix(kVersionBlockMagic.size());
  while (!block.empty()) {
    std::size_t keyEnd = block.find('\0');
    if (keyEnd == 0 || keyEnd == std::string_view::npos) break;  // the end mark, or damage
    std::size_t valueEnd = block.find('\0', keyEnd + 1);
    if (valueEnd == std::string_view::npos) break;
    if (SameTextAscii(block.substr(0, keyEnd), key))
      return std::string(block.substr(keyEnd + 1, valueEnd - keyEnd - 1));
    block.remove_prefix(valueEnd + 1);
  }
  return std::string();
}

std::string Look(const ByteSource& src, std::string_view key) {
  std::string block;
  if (!ElfReader(src).FindSection(kVersionSectionName, block)) return std::string();
  return LookUpKey(block, key);
}

}  // namespace

std::string GetVersionString(const std::string& fileName, std::string_view key) {
  return Look(FileSource(fileName), key);
}

std::string GetVersionStringFromImage(std::string_view image, std::string_view key) {
  return Look(MemorySource(image), key);
}

}  // namespace navforge
