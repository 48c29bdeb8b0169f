#include "ui/application.h"

#include "ui/hints.h"
#include "ui/mainform.h"
#include "ui/translations.h"

namespace navforge {

void PrepareApplication() {
  InstallGermanTranslations();
  InstallHintTimings();
  SetApplicationTitle("HTML Navforge");
}

}  // namespace navforge
