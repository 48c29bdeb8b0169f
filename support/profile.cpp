#include "profile.h"

#include "errors.h"
#include "strutil.h"
#include "textfile.h"

namespace navforge {
namespace {

// The section name of a header line ("[Main]"), or false when the line is none.
bool SectionName(std::string_view line, std::string_view& name) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return false;
  std::size_t close = t.find(']');
  name = TrimBlanks(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  return true;
}

// The key of a "key=value" line; false for comments and lines without "=".
bool KeyName(std::string_view line, std::string_view& key, std::string_view& value) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = TrimBlanks(line.substr(0, eq));
  value = line.substr(eq + 1);
  return true;
}

std::string ValueAsRead(std::string_view raw) {
  // A value ends at its first zero byte, as the text of the program's other files does.
  std::string_view v = TrimBlanks(raw.substr(0, raw.find('\0')));
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  if (v.size() > kProfileValueLimit) v = v.substr(0, kProfileValueLimit);
  return std::string(v);
}

}  // namespace

TProfileFile::TProfileFile(std::string_view bytes) {
  ForEachLine(bytes, [&](TextLine line) { lines_.push_back(Line{std::string(line.Text), std::string(line.Break)}); });
}

TProfileFile TProfileFile::Load(const std::string& path) {
  if (!FileExists(path)) return TProfileFile();
  try {
    return TProfileFile(ReadWholeFile(path));
  } catch (const ENavforgeError&) {
    return TProfileFile();
  }
}

TProfileFile TProfileFile::LoadForUpdate(const std::string& path) {
  if (!FileExists(path)) return TProfileFile();
  try {
    return TProfileFile(ReadWholeFile(path));
  } catch (const ENavforgeError&) {
    throw EWriteError(path);
  }
}

std::size_t TProfileFile::FindSection(std::string_view section) const {
  std::string_view name;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (SectionName(lines_[i].text, name) && SameTextAscii(name, TrimBlanks(section))) return i;
  return std::string::npos;
}

std::size_t TProfileFile::FindKey(std::size_t header, std::string_view key) const {
  std::string_view name, found, value;
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i].text, name)) break;
    if (KeyName(lines_[i].text, found, value) && SameTextAscii(found, TrimBlanks(key))) return i;
  }
  return std::string::npos;
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
  std::size_t header = FindSection(section);
  if (header == std::string::npos) return std::string(fallback);
  std::size_t at = FindKey(header, key);
  if (at == std::string::npos) return std::string(fallback);
  std::string_view found, value;
  KeyName(lines_[at].text, found, value);
  return ValueAsRead(value);
}

void TProfileFile::InsertLine(std::size_t at, std::string text) {
  // A line that gets a successor needs a line end of its own.
  if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), "\r\n"});
}

void TProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(TrimBlanks(key)) + "=" + std::string(value);
  std::size_t header = FindSection(section);
  if (header == std::string::npos) {
    InsertLine(lines_.size(), "[" + std::string(TrimBlanks(section)) + "]");
    InsertLine(lines_.size(), std::move(line));
    return;
  }
  std::size_t at = FindKey(header, key);
  if (at != std::string::npos) {
    lines_[at].text = std::move(line);
    return;
  }
  std::size_t lastKey = header;
  std::string_view name, found, foundValue;
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i].text, name)) break;
    if (KeyName(lines_[i].text, found, foundValue)) lastKey = i;
  }
  InsertLine(lastKey + 1, std::move(line));
}

std::string TProfileFile::Bytes() const {
  std::string out;
  for (const Line& l : lines_) {
    out += l.text;
    out += l.ending;
  }
  return out;
}

void TProfileFile::Save(const std::string& path) const {
  try {
    WriteWholeFile(path, Bytes());
  } catch (const ENavforgeError&) {
    throw EWriteError(path);
  }
}

std::string GetProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view fallback) {
  return TProfileFile::Load(path).ReadString(section, key, fallback);
}

void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  TProfileFile profile = TProfileFile::LoadForUpdate(path);
  profile.WriteString(section, key, value);
  profile.Save(path);
}

}  // namespace navforge
