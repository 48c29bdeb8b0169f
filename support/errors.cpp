#include "errors.h"

namespace navforge {

// "\xF6" is ö, "\xDF" ß, "\xFC" ü in Windows-1252.
EFOpenError::EFOpenError(const std::string& path)
    : ENavforgeError("Kann Datei " + path + " nicht \xF6""ffnen") {}
EFCreateError::EFCreateError(const std::string& path)
    : ENavforgeError("Fehler beim Erstellen der Datei " + path) {}
EWriteError::EWriteError(const std::string& path)
    : ENavforgeError("Fehler beim Schreiben nach " + path) {}
EMenuInUse::EMenuInUse(const std::string& path)
    : ENavforgeError("Das Men\xFC " + path + " wird gerade von einem anderen Programm gespeichert. "
                     "Bitte versuchen Sie es gleich noch einmal.") {}
EConvertError::EConvertError(const std::string& text)
    : ENavforgeError("'" + text + "' is not a valid integer value") {}
EListError::EListError(long index)
    : ENavforgeError("Listen-Index au\xDF""erhalb des g\xFC""ltigen Bereiches (" + std::to_string(index) + ")") {}
ERangeError::ERangeError() : ENavforgeError("Range check error") {}
ERegistryError::ERegistryError(const std::string& valueName)
    : ENavforgeError("Ung\xFC""ltiger Datentyp f\xFC""r '" + valueName + "'") {}

}  // namespace navforge
