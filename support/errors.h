#pragma once
// Errors raised by the platform routines (file, conversion, list and registry).
// Their messages are the program's own texts in Windows-1252; the window shows
// them in its general error display, navforge-cli prints them on stderr. The file
// errors take a file-system name; Utf8() keeps it whole where Windows-1252 cannot.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace navforge {

class ENavforgeError : public std::runtime_error {
public:
  explicit ENavforgeError(const std::string& message);
  ENavforgeError(const std::string& message, std::string utf8);
  const std::string& Utf8() const { return utf8_; }  // the message in UTF-8

private:
  std::string utf8_;
};

// The text to show for an error the program did not raise itself (Windows-1252): running
// out of memory or a refusal of the system in German, anything else as it reads.
std::string UnexpectedErrorText(const std::exception& e);

class EFOpenError : public ENavforgeError {      // "Kann Datei %s nicht öffnen"
public:
  explicit EFOpenError(const std::string& path);
};
class EFCreateError : public ENavforgeError {    // "Fehler beim Erstellen der Datei %s"
public:
  explicit EFCreateError(const std::string& path);
};
class EWriteError : public ENavforgeError {      // "Fehler beim Schreiben nach %s"
public:
  explicit EWriteError(const std::string& path);
};
// A page whose values would make it grow without bound (variables that fill each other
// in again and again): "Die HTML-Seite %s würde zu groß ..."
class EPageTooLarge : public ENavforgeError {
public:
  EPageTooLarge(const std::string& path, std::size_t limit);
};
class EUnknownMenuVersion : public ENavforgeError {  // a menu file of a version not read here
public:
  EUnknownMenuVersion(const std::string& path, long version);
};
class EMenuInUse : public ENavforgeError {      // another program is saving this menu
public:
  explicit EMenuInUse(const std::string& path);
};
class EConvertError : public ENavforgeError {    // "'%s' is not a valid integer value"
public:
  explicit EConvertError(const std::string& text);
};
class EListError : public ENavforgeError {       // "Listen-Index außerhalb des gültigen Bereiches (%d)"
public:
  explicit EListError(long index);
};
class ERangeError : public ENavforgeError {      // "Range check error"
public:
  ERangeError();
};
class ERegistryError : public ENavforgeError {   // "Ungültiger Datentyp für '%s'"
public:
  explicit ERegistryError(const std::string& valueName);
};

}  // namespace navforge
