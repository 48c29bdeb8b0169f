#pragma once
// Test helpers: a temporary folder removed with its contents, file helpers, and a
// notifier that records messages instead of showing them.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/notifier.h"

namespace navforge::test {

// Memory: a folder in /dev/shm where there is one, for tests that save many times and
// are not about durability; on disk every save waits for its forced writes.
enum class TempIn { Default, Memory };

class TempDir {
public:
  explicit TempDir(TempIn where = TempIn::Default);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }    // no trailing "/"
  std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
  std::string path_;
};

void WriteFile(const std::string& path, std::string_view bytes);  // plain, non-atomic
std::string ReadFile(const std::string& path);                    // "" when missing
void MakeDir(const std::string& path);

// A template set's files: the name as it stands on disk, and the file's bytes.
using SetFiles = std::map<std::string, std::string>;
// Creates folder (with the folders above it) when missing and writes each file into it;
// files already there and not named stay as they are.
void WriteTemplateSet(const std::string& folder, const SetFiles& files);

class RecordingNotifier : public INotifier {
public:
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  std::vector<std::string> Messages;
};

}  // namespace navforge::test
