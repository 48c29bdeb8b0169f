#pragma once
// The machine-wide registry and the maker's shared folder.
//
// There is no system registry on this platform, so the machine-wide values live in a
// plain text file of our own (default /etc/navforge/registry, or the file named by the
// environment variable NAVFORGE_REGISTRY). Only HKEY_LOCAL_MACHINE holds keys; the
// file looks like
//
//   ; comment
//   [\Software\Orvane Software\Paths]
//   OVCommonFiles=sz:/opt/orvane/common
//   Cache=expand_sz:$HOME/.cache
//   Count=dword:7
//
// Key paths and value names are compared without regard to the case of A-Z. A key
// exists when a section names it or one of its sub-keys. A value is "name=kind:data"
// with kind sz, expand_sz, multi_sz, dword, qword or binary; a value without a known
// kind prefix is plain text (sz). Blanks right after "=" are dropped, all others kept.
// The first line of a name in a key counts; lines starting with ";" or "#" are
// comments. The file is UTF-8; each text is converted to Windows-1252 when it can be,
// else taken as it is.
//
// Errors: ReadString raises ERegistryError for a value of a non-text kind; OpenKey with
// canCreate raises nothing and yields false when the file cannot be written. Nothing
// else throws except std::bad_alloc.
#include <map>
#include <string>
#include <string_view>

namespace navforge {

enum class TRootKey { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

// The registry file in use: $NAVFORGE_REGISTRY when set and not empty, else the default.
inline constexpr const char* kDefaultRegistryFile = "/etc/navforge/registry";
std::string RegistryFilePath();

// A handle on the registry with a root key and at most one open key. The file is read
// once, when the accessor is created; a missing or unreadable file holds no keys.
class TRegistry {
public:
  TRegistry();                                  // reads RegistryFilePath()
  explicit TRegistry(std::string registryFile);

  TRootKey RootKey() const { return root_; }
  // A change of root closes the open key; setting the same root keeps it open.
  void SetRootKey(TRootKey root);

  // Opens the key at path ("\A\B", absolute from the root; the leading "\" may be left
  // out) and makes it the open key. When the key does not exist it is created with
  // canCreate (written to the file), else the open fails. A failed open keeps the key
  // that was open before.
  bool OpenKey(std::string_view path, bool canCreate);
  bool HasOpenKey() const { return open_; }
  std::string CurrentPath() const { return open_ ? openPath_ : std::string(); }
  void CloseKey();

  bool ValueExists(std::string_view name) const;
  // The text of value name in the open key, up to its first zero character; the empty
  // text with no open key or no such value. Expandable texts are returned unexpanded.
  std::string ReadString(std::string_view name) const;

private:
  struct TValue {
    std::string Kind;  // "sz", "expand_sz", ...
    std::string Data;
  };
  using TKey = std::map<std::string, TValue>;  // by lower-case name

  void Parse(std::string_view text);
  void AddKey(const std::string& lowerPath);
  bool KeyExists(const std::string& lowerPath) const;
  const TValue* FindValue(std::string_view name) const;

  std::string file_;
  std::string rawText_;
  std::map<std::string, TKey> keys_;  // HKEY_LOCAL_MACHINE, by normalised lower-case path; no ancestors
  TRootKey root_ = TRootKey::HKEY_CURRENT_USER;
  bool open_ = false;
  std::string openKey_;   // normalised lower-case path of the open key
  std::string openPath_;  // as the caller spelled it
};

// Sets Registry's root to HKEY_LOCAL_MACHINE and opens "\Software\Orvane Software\"
// + name (+ "\" + subName when subName is not empty). Yields whether the key is open.
bool OpenMakerKey(TRegistry& registry, std::string_view name, std::string_view subName, bool canCreate);

// The common-files folder as the registry records it: the maker's "Paths" /
// "OVCommonFiles" when that value exists (even empty), else the system's
// "CommonFilesDir"; the empty text when nothing can be read.
std::string FindCommonFilesFolder();

// The maker's shared folder: the common-files folder with a "/" at its end, followed
// by "OVS Shared". Empty when the common-files folder is unknown: a bare "OVS Shared"
// would be taken against whatever the current folder happens to be.
inline constexpr const char* kSharedFolderName = "OVS Shared";
std::string GetSharedFolder();

}  // namespace navforge
