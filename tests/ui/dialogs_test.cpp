#include <gtest/gtest.h>

#include "ui/dialogs.h"
#include "ui/qtdialogs.h"
#include <QString>

namespace navforge {
namespace {

TEST(FileDialogs, DefaultExtensionOnlyForNamesWithoutOne) {
  EXPECT_EQ(AddDefaultExt("/m/site", "nff"), "/m/site.nff");
  EXPECT_EQ(AddDefaultExt("/m/site.txt", "nff"), "/m/site.txt");
  EXPECT_EQ(AddDefaultExt("/m.d/site", "htm"), "/m.d/site.htm");  // a dot in a folder counts not
  EXPECT_EQ(AddDefaultExt("C:\\m.d\\site", "htm"), "C:\\m.d\\site.htm");
  EXPECT_EQ(AddDefaultExt("/m/site", ""), "/m/site");
}

TEST(FileDialogs, FilterPairsBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters("HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*"),
            QStringLiteral("HTML [*.htm, *html] (*.htm *.html);;Alle Dateien [*.*] (*.*)"));
  EXPECT_EQ(QtNameFilters("Navforge File (*.nff)|*.nff;"), QStringLiteral("Navforge File [*.nff] (*.nff)"));
}

}  // namespace
}  // namespace navforge
