// What the window tells after a command: the line a generation leaves, the reason an
// error gets, and where browsed links and images point.
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

#include "formtest.h"
#include "ui/errorreason.h"
#include "ui/qtdialogs.h"

namespace navforge {
namespace {

class ResultsTest : public test::FormTest {
public:
  // A menu saved as site.nff that writes its main page to out and a page for each main
  // entry with sub-entries.
  void MenuWritingTo(const std::string& out, std::initializer_list<const char*> captions = {"A"}) {
    test::WriteTemplateSet(prog + "Templates/Geteilt", {{"template.ini", "[Main]\r\nall_in_one=0\r\n"},
                                                        {"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"},
                                                        {"SubmenuPoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"}});
    Open(WriteMenu("site.nff", captions, [&](TovHTML& d) {
      d.Template = "Geteilt";
      d.Filename = out;
    }));
  }
};

// Records the addresses the window hands to the browser.
class TUrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> Opened;
public slots:
  void Open(const QUrl& url) { Opened << url; }
};

// The count and the folder, then "Öffnen"; with less room on the toolbar (the version
// control's button shown, say) the folder gives way. A failed run takes the line away.
TEST_F(ResultsTest, generated_saysHowManyPagesWhereAndOpensTheMainPage) {
  form->show();
  test::MakeDir(menus + "web");
  MenuWritingTo(menus + "web/menu.htm", {"A", "B", "-b1"});
  const QUrl page = QUrl::fromLocalFile(PathToQ(menus + "web/menu.htm"));
  for (auto [more, shown] : {std::pair{false, "2 Seiten in „web“"}, std::pair{true, "2 Seiten"}}) {
    form->TBItem6->setVisible(more);
    form->TBItem5->trigger();
    ASSERT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
    EXPECT_TRUE(form->GenerateResult->isVisible());
    EXPECT_EQ(form->GenerateResult->text(),
              QString::fromUtf8(shown) + QStringLiteral(" – <a href=\"%1\">Öffnen</a>").arg(page.toString()));
    EXPECT_EQ(form->GenerateResult->toolTip(), PathToQ(menus + "web"));
    EXPECT_LE(form->GenerateResult->sizeHint().width(), form->GenerateResult->width());
    QWidget* last = ButtonOf(form->TBToolbar1, form->TBItem7);
    EXPECT_GT(form->GenerateResult->x(), form->TBToolbar1->x() + last->geometry().right());
  }
  TUrlCatcher browser;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
  emit form->GenerateResult->linkActivated(page.toString());
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  EXPECT_EQ(browser.Opened, QList<QUrl>{page});
  form->efilename->SetText(menus + "fehlt/menu.htm");
  form->TBItem5->trigger();
  EXPECT_FALSE(form->GenerateResult->isVisible());
}

// The message keeps its text; its second line says what to mend.
TEST_F(ResultsTest, failedWrite_givesTheReasonOnASecondLine) {
  struct Problem {
    const char* Name;
    std::string Out;
    std::function<void()> Prepare;
    std::string Reason;
  };
  const Problem problems[] = {
      {"missing folder", menus + "fehlt/tiefer/menu.htm", [] {}, "Den Ordner „"_cp1252 + menus + "fehlt“ gibt es nicht."_cp1252},
      {"write-protected page", menus + "alt.htm",
       [&] {
         test::WriteFile(menus + "alt.htm", "<html>");
         ::chmod((menus + "alt.htm").c_str(), 0444);
       },
       "Die Datei ist schreibgeschützt."_cp1252},
      {"a folder named as the page", menus + "o.htm", [&] { test::MakeDir(menus + "o.htm"); },
       "„"_cp1252 + menus + "o.htm“ ist ein Ordner."_cp1252},
      {"a file where the folder should be", menus + "datei/menu.htm", [&] { test::WriteFile(menus + "datei", "x"); },
       "„"_cp1252 + menus + "datei“ ist kein Ordner, sondern eine Datei."_cp1252},
  };
  for (const Problem& p : problems) {
    SCOPED_TRACE(p.Name);
    p.Prepare();
    MenuWritingTo(p.Out);
    dialogs.Messages.clear();
    form->TBItem5->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Fehler beim Erstellen der Datei " + p.Out + "\n" + p.Reason);
  }
  // Saving the menu itself, too.
  dialogs.SaveAnswers = {menus + "fehlt/site.nff"};
  form->BtnSaveAs->trigger();
  EXPECT_NE(dialogs.Messages.back().Text.find("\nDen Ordner „"_cp1252 + menus + "fehlt“"_cp1252), std::string::npos);
}

// Root may write anywhere, so a folder without permission is tried as another user only.
TEST_F(ResultsTest, folderWithoutPermission_isTheReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into a write-protected folder";
  test::MakeDir(menus + "zu");
  ::chmod((menus + "zu").c_str(), 0555);
  EXPECT_EQ(WriteProblem(menus + "zu/menu.htm"),
            "Keine Berechtigung, im Ordner „"_cp1252 + menus + "zu“ Dateien anzulegen."_cp1252);
  ::chmod((menus + "zu").c_str(), 0755);
}

// Links and images browsed are relative to the folder the pages are written to; a
// relative output name lies beside the menu file, as in the example site.
TEST_F(ResultsTest, browsedLinkAndImage_areRelativeToTheFolderOfThePages) {
  struct Case {
    const char* Output;  // as the menu names it
    const char* Chosen;  // below the temporary folder
    const char* Stored;
  };
  for (const Case& c : {Case{"../../build/beispiel/menu.htm", "build/beispiel/sub/a.htm", "sub/a.htm"},
                        Case{"menu.htm", "examples/beispiel/bild.png", "bild.png"},
                        Case{"seiten/menu.htm", "bilder/b.svg", "../../../bilder/b.svg"}}) {
    SCOPED_TRACE(c.Output);
    form = MakeForm();
    test::MakeDir(tmp.file("examples/beispiel"));
    Open(WriteMenu("../examples/beispiel/site.nff", {"A"}, [&](TovHTML& d) { d.Filename = c.Output; }));
    dialogs.OpenAnswers = {tmp.file(c.Chosen), tmp.file(c.Chosen)};
    Click(form->FlatButton1);
    Click(form->Button1);
    EXPECT_EQ(form->menulink->Text(), c.Stored);
    EXPECT_EQ(form->picfile->Text(), c.Stored);
  }
}

// The image dialog offers every format a browser shows as a background: all of them
// first, each alone, every file last.
TEST_F(ResultsTest, imageDialog_offersTheBrowsersFormats) {
  Click(form->Button1);
  const QStringList filters = QtNameFilters(dialogs.OpenCalls.at(0).Filter).split(QStringLiteral(";;"));
  for (const char* pattern : {"*.png", "*.svg", "*.webp", "*.gif", "*.jpg", "*.jpeg"}) {
    EXPECT_TRUE(filters.front().contains(QLatin1String(pattern))) << pattern;
    EXPECT_EQ(filters.filter(QLatin1String(pattern)).size(), 2) << pattern;
  }
  EXPECT_EQ(filters.back(), QStringLiteral("Alle Dateien (*.*) (*)"));
}

}  // namespace
}  // namespace navforge

#include "results_test.moc"
