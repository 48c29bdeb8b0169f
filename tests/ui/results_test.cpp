// What the window tells after a command: the line a generation leaves, the reason an
// error gets, and where browsed links and images point.
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QUrl>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "formtest.h"
#include "ui/errorreason.h"
#include "ui/filefilters.h"
#include "ui/qtdialogs.h"

namespace navforge {
namespace {

using Texts = std::vector<std::string>;

class ResultsTest : public test::FormTest {
public:
  // A menu saved as site.nff that writes its main page to out and one page for each
  // main entry with sub-entries.
  void MenuWritingTo(const std::string& out, std::initializer_list<const char*> captions = {"A"}) {
    test::WriteTemplateSet(prog + "Templates/Geteilt", {{"template.ini", "[Main]\r\nall_in_one=0\r\n"},
                                                        {"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"},
                                                        {"SubmenuPoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"}});
    Open(WriteMenu("site.nff", captions, [&](TovHTML& d) {
      d.Template = "Geteilt";
      d.Filename = out;
    }));
  }
  std::string LastMessage() const { return dialogs.Messages.empty() ? "" : dialogs.Messages.back().Text; }
};

// Records the addresses the window hands to the browser.
class TUrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> Opened;
public slots:
  void Open(const QUrl& url) { Opened << url; }
};

TEST_F(ResultsTest, generated_saysHowManyPagesWhereAndOpensTheMainPage) {
  form->show();
  test::MakeDir(menus + "web");
  MenuWritingTo(menus + "web/menu.htm", {"A", "B", "-b1"});
  EXPECT_FALSE(form->GenerateResult->isVisible());
  const QString link =
      QStringLiteral(" – <a href=\"%1\">Öffnen</a>").arg(QUrl::fromLocalFile(PathToQ(menus + "web/menu.htm")).toString());
  // With more buttons on the toolbar (the version control's, say) the folder gives way.
  for (auto [more, shown] : {std::pair{false, QStringLiteral("2 Seiten in „web“")}, std::pair{true, QStringLiteral("2 Seiten")}}) {
    form->TBItem6->setVisible(more);
    form->TBSeparatorItem3->setVisible(more);
    form->TBItem5->trigger();
    ASSERT_TRUE(dialogs.Messages.empty()) << LastMessage();
    ASSERT_TRUE(form->GenerateResult->isVisible());
    EXPECT_EQ(form->GenerateResult->text(), shown + link);
    EXPECT_EQ(form->GenerateResult->toolTip(), PathToQ(menus + "web"));
    EXPECT_LE(form->GenerateResult->sizeHint().width(), form->GenerateResult->width());
  }
  form->TBItem6->setVisible(false);
  form->TBSeparatorItem3->setVisible(false);
  form->TBItem5->trigger();
  // In the free space of the main toolbar, after its last button.
  const QRect line = form->GenerateResult->geometry();
  EXPECT_TRUE(form->TBDock1->rect().contains(line));
  for (QAction* action : form->TBToolbar1->actions()) {
    if (!action->isVisible()) continue;
    const QRect button = form->TBToolbar1->widgetForAction(action)->geometry().translated(form->TBToolbar1->pos());
    EXPECT_FALSE(button.intersects(line)) << action->objectName().toStdString();
  }
  EXPECT_LE(form->GenerateResult->sizeHint().width(), line.width());
  QDir().mkpath(QStringLiteral(NAVFORGE_ARTIFACTS_DIR));
  EXPECT_TRUE(form->grab().save(QStringLiteral(NAVFORGE_ARTIFACTS_DIR "/generated-line.png")));

  TUrlCatcher browser;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
  emit form->GenerateResult->linkActivated(QUrl::fromLocalFile(PathToQ(menus + "web/menu.htm")).toString());
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  EXPECT_EQ(browser.Opened, QList<QUrl>{QUrl::fromLocalFile(PathToQ(menus + "web/menu.htm"))});

  // A failed run takes the line away.
  form->efilename->SetText(menus + "fehlt/menu.htm");
  form->TBItem5->trigger();
  EXPECT_FALSE(form->GenerateResult->isVisible());
}

struct Problem {
  const char* Name;
  std::function<std::string(ResultsTest&)> Prepare;  // returns the output file
  std::function<std::string(ResultsTest&)> Reason;
};

// The message keeps its text; its second line says what to mend.
TEST_F(ResultsTest, failedWrite_givesTheReasonOnASecondLine) {
  const Problem problems[] = {
      {"missing folder", [](ResultsTest& t) { return t.menus + "fehlt/tiefer/menu.htm"; },
       [](ResultsTest& t) { return "Den Ordner „"_cp1252 + t.menus + "fehlt“ gibt es nicht."_cp1252; }},
      {"write-protected page",
       [](ResultsTest& t) {
         test::WriteFile(t.menus + "alt.htm", "<html>");
         ::chmod((t.menus + "alt.htm").c_str(), 0444);
         return t.menus + "alt.htm";
       },
       [](ResultsTest&) { return std::string("Die Datei ist schreibgeschützt."_cp1252); }},
      {"a folder named as the page",
       [](ResultsTest& t) {
         test::MakeDir(t.menus + "ordner.htm");
         return t.menus + "ordner.htm";
       },
       [](ResultsTest& t) { return "„"_cp1252 + t.menus + "ordner.htm“ ist ein Ordner."_cp1252; }},
      {"a file where the folder should be",
       [](ResultsTest& t) {
         test::WriteFile(t.menus + "datei", "x");
         return t.menus + "datei/menu.htm";
       },
       [](ResultsTest& t) { return "„"_cp1252 + t.menus + "datei“ ist kein Ordner, sondern eine Datei."_cp1252; }},
  };
  for (const Problem& p : problems) {
    SCOPED_TRACE(p.Name);
    const std::string out = p.Prepare(*this);
    MenuWritingTo(out);
    dialogs.Messages.clear();
    form->TBItem5->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(LastMessage(), "Fehler beim Erstellen der Datei " + out + "\n" + p.Reason(*this));
  }
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

// Saving the menu itself gets its reason, too.
TEST_F(ResultsTest, saveIntoAMissingFolder_givesTheReason) {
  AddMain("A");
  dialogs.SaveAnswers = {menus + "fehlt/site.nff"};
  form->BtnSaveAs->trigger();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_NE(LastMessage().find("\nDen Ordner „"_cp1252 + menus + "fehlt“ gibt es nicht."_cp1252), std::string::npos)
      << LastMessage();
}

struct Browse {
  const char* Name;
  const char* Output;  // the output file as the menu names it
  const char* Chosen;  // below the temporary folder
  const char* Stored;
};

// Links and images browsed are relative to the folder the pages are written to; a
// relative output name lies beside the menu file, as in the example site.
TEST_F(ResultsTest, browsedLinkAndImage_areRelativeToTheFolderOfThePages) {
  const Browse cases[] = {
      {"the example's form", "../../build/beispiel/menu.htm", "build/beispiel/kontakt.htm", "kontakt.htm"},
      {"below the pages", "../../build/beispiel/menu.htm", "build/beispiel/sub/a.htm", "sub/a.htm"},
      {"beside the menu", "menu.htm", "examples/beispiel/bild.png", "bild.png"},
      {"elsewhere", "seiten/menu.htm", "bilder/b.svg", "../../../bilder/b.svg"},
  };
  for (const Browse& c : cases) {
    SCOPED_TRACE(c.Name);
    form = MakeForm();  // the link browsed before would be asked about
    test::MakeDir(tmp.file("examples/beispiel"));
    Open(WriteMenu("../examples/beispiel/site.nff", {"A"}, [&](TovHTML& d) { d.Filename = c.Output; }));
    dialogs.OpenAnswers = {tmp.file(c.Chosen), tmp.file(c.Chosen)};
    Click(form->FlatButton1);
    Click(form->Button1);
    EXPECT_EQ(form->menulink->Text(), c.Stored);
    EXPECT_EQ(form->picfile->Text(), c.Stored);
  }
}

// The image dialog offers every format a browser shows as a background, all of them
// first, and every file last.
TEST_F(ResultsTest, imageDialog_offersTheBrowsersFormats) {
  Click(form->Button1);
  ASSERT_EQ(dialogs.OpenCalls.size(), 1u);
  const QStringList filters = QtNameFilters(dialogs.OpenCalls[0].Filter).split(QStringLiteral(";;"));
  for (const char* pattern : {"*.png", "*.svg", "*.webp", "*.gif", "*.jpg", "*.jpeg"}) {
    EXPECT_TRUE(filters.front().contains(QLatin1String(pattern))) << pattern;
    EXPECT_EQ(filters.filter(QLatin1String(pattern)).size(), 2) << pattern;  // all of them, and its own
  }
  EXPECT_EQ(filters.back(), QStringLiteral("Alle Dateien (*.*) (*)"));
}

}  // namespace
}  // namespace navforge

#include "results_test.moc"
