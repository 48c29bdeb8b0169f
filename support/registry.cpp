#include "registry.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "errors.h"
#include "folders.h"
#include "fsname.h"
#include "strutil.h"
#include "textfile.h"

namespace navforge {
namespace {

constexpr std::string_view kMakerBranch = "\\Software\\Orvane Software\\";
constexpr std::string_view kSystemKey = "\\Software\\Microsoft\\Windows\\CurrentVersion";
constexpr std::string_view kKinds[] = {"sz", "expand_sz", "multi_sz", "dword", "qword", "binary"};

// "\A\\b\" -> "\a\b": one "\" before each part, none at the end, lower case; "" is the root.
std::string NormaliseKeyPath(std::string_view path) {
  std::string out;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t end = path.find('\\', i);
    if (end == std::string_view::npos) end = path.size();
    if (end > i) out += "\\" + LowerAscii(path.substr(i, end - i));
    i = end + 1;
  }
  return out;
}

}  // namespace

std::string RegistryFilePath() {
  const char* env = std::getenv("NAVFORGE_REGISTRY");
  if (env && *env) return env;
  return kDefaultRegistryFile;
}

TRegistry::TRegistry() : TRegistry(RegistryFilePath()) {}

TRegistry::TRegistry(std::string registryFile) : file_(std::move(registryFile)) {
  keys_[""];  // the root always exists
  try {
    rawText_ = ReadWholeFile(file_);
  } catch (const EFOpenError&) {
    // A missing or unreadable file is an empty registry.
  }
  Parse(rawText_);
}

void TRegistry::AddKey(const std::string& lowerPath) { keys_[lowerPath]; }

bool TRegistry::KeyExists(const std::string& lowerPath) const {
  if (keys_.count(lowerPath)) return true;
  // Every ancestor of a key exists as well. Ancestors are not stored (a deeply nested
  // key would take memory quadratic in its length): a key exists when one below it does.
  const std::string below = lowerPath + "\\";
  auto it = keys_.lower_bound(below);
  return it != keys_.end() && it->first.compare(0, below.size(), below) == 0;
}

// The file is UTF-8 and its values are file names: its texts convert as the file
// system's names do.
void TRegistry::Parse(std::string_view text) {
  TKey* current = nullptr;
  // Lines end at LF or CR LF. Unlike the program's own files a zero byte does not end
  // the text: it belongs to the value it stands in, which a read then cuts there.
  ForEachLine(text, [&](TextLine fileLine) {
    const std::string_view raw = fileLine.Text;
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') return;
    if (line.front() == '[' && line.back() == ']') {
      std::string path = NormaliseKeyPath(FromFsName(line.substr(1, line.size() - 2)));
      AddKey(path);
      current = &keys_[path];
      return;
    }
    std::size_t eq = raw.find('=');
    if (!current || eq == std::string::npos) return;  // values outside a key, or no "=": ignored
    std::string name = FromFsName(TrimBlanks(raw.substr(0, eq)));
    if (name.empty()) return;
    std::string_view data = raw.substr(eq + 1);
    data.remove_prefix(std::min(data.size(), data.find_first_not_of(" \t")));  // blanks after "=" only
    TValue value{"sz", std::string()};
    std::size_t colon = data.find(':');
    if (colon != std::string_view::npos) {
      std::string kind = LowerAscii(data.substr(0, colon));
      for (std::string_view k : kKinds)
        if (kind == k) {
          value.Kind = kind;
          data.remove_prefix(colon + 1);
          break;
        }
    }
    value.Data = FromFsName(data);
    current->emplace(LowerAscii(name), std::move(value));  // the first line of a name counts
  }, LoneCr::IsText);
}

void TRegistry::SetRootKey(TRootKey root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate) {
  if (root_ != TRootKey::HKEY_LOCAL_MACHINE) return false;
  std::string key = NormaliseKeyPath(path);
  if (!KeyExists(key)) {
    if (!canCreate) return false;
    // Created keys go to the file at once, as the system registry would keep them.
    std::string text = rawText_;
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\n";
    text += "[" + StoredPathToFs(path) + "]\n";
    try {
      WriteWholeFile(file_, text);
    } catch (const ENavforgeError&) {
      return false;
    }
    rawText_ = std::move(text);
    AddKey(key);
  }
  open_ = true;
  openKey_ = key;
  openPath_ = std::string(path);
  return true;
}

void TRegistry::CloseKey() {
  open_ = false;
  openKey_.clear();
  openPath_.clear();
}

const TRegistry::TValue* TRegistry::FindValue(std::string_view name) const {
  if (!open_) return nullptr;
  auto key = keys_.find(openKey_);
  if (key == keys_.end()) return nullptr;
  auto value = key->second.find(LowerAscii(name));
  return value == key->second.end() ? nullptr : &value->second;
}

bool TRegistry::ValueExists(std::string_view name) const { return FindValue(name) != nullptr; }

std::string TRegistry::ReadString(std::string_view name) const {
  const TValue* value = FindValue(name);
  if (!value) return std::string();
  if (value->Kind != "sz" && value->Kind != "expand_sz") throw ERegistryError(std::string(name));
  return value->Data.substr(0, value->Data.find('\0'));
}

bool OpenMakerKey(TRegistry& registry, std::string_view name, std::string_view subName, bool canCreate) {
  registry.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  std::string path = std::string(kMakerBranch) + std::string(name);
  if (!subName.empty()) path += "\\" + std::string(subName);
  return registry.OpenKey(path, canCreate);
}

std::string FindCommonFilesFolder() {
  TRegistry registry;
  if (OpenMakerKey(registry, "Paths", "", false) && registry.ValueExists("OVCommonFiles"))
    return registry.ReadString("OVCommonFiles");
  registry.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  // Whether this opens is not looked at: on failure the maker's key, if it opened,
  // is still the open key and is asked instead.
  registry.OpenKey(kSystemKey, false);
  return registry.ReadString("CommonFilesDir");
}

std::string GetSharedFolder() {
  std::string common = FindCommonFilesFolder();
  if (common.empty()) return std::string();
  // The registry holds texts; the folder is opened, so it becomes a file-system name.
  return StoredPathToFs(AddTrailingBackslash(common) + kSharedFolderName);
}

}  // namespace navforge
