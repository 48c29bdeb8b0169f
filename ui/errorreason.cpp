#include "ui/errorreason.h"

#include <QString>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "ui/qtext.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& path) { return "„"_cp1252 + FromFsName(path) + "“"_cp1252; }

// The nearest folder above path that exists; its child on the way is the one missing.
fs::path FirstMissing(const fs::path& folder) {
  fs::path missing = folder;
  std::error_code ec;
  for (fs::path p = folder; !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
    missing = p;
    if (p == p.parent_path()) break;
  }
  return missing;
}

}  // namespace

std::string WriteProblem(const std::string& path) {
  if (path.empty()) return {};
  const fs::path file = fs::absolute(fs::path(path));
  const fs::path folder = file.parent_path();
  for (const fs::path& part : file)
    if (part.native().size() > NAME_MAX) return "Der Name " + Quoted(part.native()) + " ist zu lang.";
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0)
    return errno == EACCES ? "Keine Berechtigung, den Ordner "_cp1252 + Quoted(folder.native()) + " zu öffnen."_cp1252
                           : "Den Ordner " + Quoted(FirstMissing(folder).native()) + " gibt es nicht.";
  if (!S_ISDIR(st.st_mode)) return Quoted(folder.native()) + " ist kein Ordner, sondern eine Datei.";
  if (::stat(file.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Quoted(file.native()) + " ist ein Ordner.";
    if ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0) return "Die Datei ist schreibgeschützt."_cp1252;
  }
  if (::access(folder.c_str(), W_OK) != 0)
    return "Keine Berechtigung, im Ordner "_cp1252 + Quoted(folder.native()) + " Dateien anzulegen.";
  return {};
}

std::string ErrorText(const ENavforgeError& error) {
  const std::string text = FromQ(QString::fromStdString(error.Utf8()));
  // The UTF-8 message is the fixed words and the name as the file system has it.
  std::string_view prefix;
  if (dynamic_cast<const EFCreateError*>(&error))
    prefix = "Fehler beim Erstellen der Datei ";
  else if (dynamic_cast<const EWriteError*>(&error))
    prefix = "Fehler beim Schreiben nach ";
  else
    return text;
  const std::string& utf8 = error.Utf8();
  if (utf8.compare(0, prefix.size(), prefix) != 0) return text;
  const std::string reason = WriteProblem(utf8.substr(prefix.size()));
  return reason.empty() ? text : text + "\n" + reason;
}

}  // namespace navforge
