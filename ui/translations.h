#pragma once
// Qt's own texts (standard buttons, file and colour dialogs) in German, for the whole
// program and the dialog modules it loads, which share its application object.
namespace navforge {

// Installs Qt's German translations once; false when they are not installed.
bool InstallGermanTranslations();

}  // namespace navforge
