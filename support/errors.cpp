#include "errors.h"

#include <new>
#include <system_error>

#include "cp1252.h"
#include "cp1252literal.h"
#include "fsname.h"

namespace navforge {
namespace {

bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

// A message naming a file: the name as text in the Windows-1252 message, and whole
// (or its bytes read as Windows-1252 when it is not UTF-8) in the UTF-8 one.
ENavforgeError PathMessage(const std::string& before, const std::string& path, const std::string& after) {
  return ENavforgeError(before + FromFsName(path) + after,
                        Cp1252ToUtf8(before) + (IsUtf8(path) ? path : Cp1252ToUtf8(path)) + Cp1252ToUtf8(after));
}

}  // namespace

ENavforgeError::ENavforgeError(const std::string& message)
    : std::runtime_error(message), utf8_(Cp1252ToUtf8(message)) {}
ENavforgeError::ENavforgeError(const std::string& message, std::string utf8)
    : std::runtime_error(message), utf8_(std::move(utf8)) {}

EFOpenError::EFOpenError(const std::string& path)
    : ENavforgeError(PathMessage("Kann Datei ", path, " nicht öffnen"_cp1252)) {}
EFCreateError::EFCreateError(const std::string& path)
    : ENavforgeError(PathMessage("Fehler beim Erstellen der Datei ", path, "")) {}
EWriteError::EWriteError(const std::string& path)
    : ENavforgeError(PathMessage("Fehler beim Schreiben nach ", path, "")) {}
EPageTooLarge::EPageTooLarge(const std::string& path, std::size_t limit)
    : ENavforgeError(PathMessage("Die HTML-Seite "_cp1252, path,
                                 " würde zu groß (mehr als "_cp1252 + std::to_string(limit >> 20) +
                                     " MB): Werte und Variablen füllen sich gegenseitig immer wieder ein. "
                                     "Es wurde keine weitere Seite geschrieben."_cp1252)) {}
EUnknownMenuVersion::EUnknownMenuVersion(const std::string& path, long version)
    : ENavforgeError(PathMessage("Die Menüdatei "_cp1252, path,
                                 " hat eine unbekannte Version (" + std::to_string(version) +
                                     ") und kann nicht gelesen werden.")) {}
EMenuInUse::EMenuInUse(const std::string& path)
    : ENavforgeError(PathMessage("Das Menü "_cp1252, path,
                                 " wird gerade von einem anderen Programm gespeichert. "
                                 "Bitte versuchen Sie es gleich noch einmal.")) {}
EConvertError::EConvertError(const std::string& text)
    : ENavforgeError("'" + text + "' is not a valid integer value") {}
EListError::EListError(long index)
    : ENavforgeError("Listen-Index außerhalb des gültigen Bereiches ("_cp1252 + std::to_string(index) + ")") {}
ERangeError::ERangeError() : ENavforgeError("Range check error") {}
ERegistryError::ERegistryError(const std::string& valueName)
    : ENavforgeError("Ungültiger Datentyp für '"_cp1252 + valueName + "'") {}

std::string UnexpectedErrorText(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "Nicht genügend Arbeitsspeicher."_cp1252;
  if (dynamic_cast<const std::system_error*>(&e))
    return "Das System hat die Anfrage abgelehnt ("_cp1252 + e.what() + ").";
  return e.what();
}

}  // namespace navforge
