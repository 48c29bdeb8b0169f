#pragma once
// Profile (INI) files as the settings files and "template.ini" use them: sections
// and keys matched without regard to the case of A-Z, values read back trimmed of
// blanks, unquoted and cut at 2047 characters. Writing keeps every line it does not
// change byte for byte. Files are Windows-1252 with CR LF; new lines get CR LF.
//
// Layout choices for hand-edited files: the first section of a name and its first
// line of a key are the ones read and replaced; later duplicates stay untouched. A
// new key goes directly after the last key line of its section (after the header
// when it has none); a new section goes to the end of the file. Lines starting with
// ";" are comments, lines without "=" are kept but hold no key.
#include <string>
#include <string_view>
#include <vector>

namespace navforge {

inline constexpr std::size_t kProfileValueLimit = 2047;

class TProfileFile {
public:
  // An empty profile: saving it writes nothing but what is set.
  TProfileFile() = default;
  // Parses the bytes of a profile file.
  explicit TProfileFile(std::string_view bytes);
  // Loads the file at path; a missing or unreadable file gives an empty profile, as
  // reading a key of it gives the default.
  static TProfileFile Load(const std::string& path);
  // Loads the file at path to change it: a missing file gives an empty profile, one
  // that exists but cannot be read raises EWriteError, as saving over it would lose
  // its other lines.
  static TProfileFile LoadForUpdate(const std::string& path);

  // The key's value (trimmed, unquoted, cut), or fallback when key or section is missing.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Replaces the key's line or adds it to the section; creates the section when missing.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  std::string Bytes() const;
  // Replaces the file at path atomically; any failure raises EWriteError
  // ("Fehler beim Schreiben nach %s") and leaves the old file as it was.
  void Save(const std::string& path) const;

private:
  struct Line {
    std::string text;
    std::string ending;  // "\r\n", "\n", "\r" or "" (last line without line end)
  };
  // Index of the first header line of section, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the first line of key inside the section starting at header, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  void InsertLine(std::size_t at, std::string text);

  std::vector<Line> lines_;
};

// One key read from the file at path (how "template.ini" is read).
std::string GetProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view fallback);
// One key written into the file at path: load, set, atomic save.
void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace navforge
