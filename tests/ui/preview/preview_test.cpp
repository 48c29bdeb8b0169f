// The preview window on a real engine: what it shows follows the state it is given.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTextBrowser>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "testsupport/tempdir.h"
#include "ui/preview/previewscheme.h"
#include "ui/preview/previewwindow.h"
#include "webwait.h"

namespace navforge::preview {
namespace {

namespace fs = std::filesystem;
using test::WaitFor;
using test::WriteFile;

QVariant Js(QWebEngineView* view, const QString& script) { return test::RunJs(view, script); }



// Loads url as an image in the page: "ok", or "fehler" when the engine got nothing.
QString LoadImage(QWebEngineView* view, const QString& url) {
  Js(view, QStringLiteral("window.__bild = ''; { const i = new Image();"
                          " i.onload = () => window.__bild = 'ok'; i.onerror = () => window.__bild = 'fehler';"
                          " i.src = '%1'; }").arg(url));
  QString state;
  WaitFor([&] { return !(state = Js(view, QStringLiteral("window.__bild")).toString()).isEmpty(); });
  return state;
}

void WritePng(const std::string& path, Qt::GlobalColor colour) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
}

// A small one-file-per-entry set, a menu with one group, and the output folder
// "site" below the menu's folder, holding the site's own background image.
class PreviewWindowTest : public testing::Test {
protected:
  void SetUp() override {
    test::WriteTemplateSet(
        dir.file("Vorlagen/Test"),
        {{"template.ini", "[Main]\r\nall_in_one=0\r\n"},
         {"header.txt",
          "<html><head><style>body { color: $TextColor$; background-image: url(\"$BackgroundImage$\"); }"
          "</style></head><body><ul>"},
         {"menupoint.txt", "<li><a href=\"$Link$\" target=\"$LinkTarget$\">$Linkname$</a></li>"},
         {"activemenupoint.txt", "<li class=\"offen\">$Linkname$<ul>$submenu$</ul></li>"},
         {"SubmenuPoint.txt", "<li class=\"unter\">$Linkname$</li>"},
         {"footer.txt", "</ul><script>document.body.dataset.eintraege = document.querySelectorAll('li').length;</script>"
                        "</body></html>"}});
    test::MakeDir(dir.file("site"));
    WritePng(dir.file("site/bg.png"), Qt::red);
    WritePng(dir.file("geheim.png"), Qt::blue);
    fs::create_symlink("../geheim.png", dir.file("site/verweis.png"));

    doc.TemplateRoot = dir.file("Vorlagen");
    doc.Template = "Test";
    doc.Filename = "site/menu.htm";
    doc.BackgroundImage = "bg.png";
    doc.InsertItem(-1, "Start", "start.htm", "inhalt", false);
    doc.InsertItem(-1, "Gruppe", "gruppe.htm", "inhalt", false);
    doc.InsertItem(-1, "Eins", "eins.htm", "inhalt", true);
    doc.InsertItem(-1, "Zwei", "zwei.htm", "inhalt", true);

    TPreviewSource source;
    source.Snapshot = [this] {
      auto state = std::make_unique<TPreviewState>();
      state->Doc = doc;
      state->Doc.MenuFile = dir.file("site.nff");
      return state;
    };
    source.SelectedEntry = [this] { return selected; };
    window = std::make_unique<TPreviewWindow>(std::move(source), QString::fromStdString(dir.file("config/vorschau.ini")));
    window->show();
    ASSERT_TRUE(Refresh());
  }

  // Waits for the preview of the newest state; false when it does not come.
  bool Refresh(int ms = 5000) {
    bool refreshed = false;
    auto c = QObject::connect(window.get(), &TPreviewWindow::Refreshed, [&] { refreshed = true; });
    const bool ok = WaitFor([&] { return refreshed; }, ms);
    QObject::disconnect(c);
    return ok;
  }

  QString Body() { return Js(window->View, QStringLiteral("document.body.innerText")).toString(); }

  test::TempDir dir;
  TovHTML doc;
  int selected = -1;
  std::unique_ptr<TPreviewWindow> window;
};

TEST_F(PreviewWindowTest, anAddedEntry_appearsInThePageWithinOneSecond) {
  EXPECT_EQ(window->ShownPage(), QStringLiteral("menu.htm"));
  EXPECT_FALSE(Body().contains(QStringLiteral("Kontakt")));
  QElapsedTimer timer;
  timer.start();
  doc.InsertItem(-1, "Kontakt", "kontakt.htm", "inhalt", false);
  window->StateChanged();
  EXPECT_TRUE(WaitFor([&] { return Body().contains(QStringLiteral("Kontakt")); }, 1000));
  EXPECT_LT(timer.elapsed(), 1000);
}

TEST_F(PreviewWindowTest, aColourChange_changesTheComputedStyle) {
  const QString color = QStringLiteral("getComputedStyle(document.body).color");
  doc.TextColor = 0x0000FF;  // red, as the colour dialogs keep it
  window->StateChanged();
  EXPECT_TRUE(WaitFor([&] { return Js(window->View, color).toString() == QStringLiteral("rgb(255, 0, 0)"); }));
  doc.TextColor = 0x00FF00;
  window->StateChanged();
  EXPECT_TRUE(WaitFor([&] { return Js(window->View, color).toString() == QStringLiteral("rgb(0, 255, 0)"); }));
}

// A change that keeps the page's shape is set into the live page (what the page's script
// did on load stays); any other loads the page anew, and its script runs again.
TEST_F(PreviewWindowTest, aRefresh_patchesThePageOnlyWhileItsShapeStays) {
  struct Case {
    const char* what;
    std::function<void(TovHTML&)> change;
    bool inPlace;
    QString shows;
  };
  const Case cases[] = {
      {"caption", [](TovHTML& d) { d.Items[0].Caption = "Anfang & Ende"; }, true, QStringLiteral("Anfang & Ende")},
      {"colour", [](TovHTML& d) { d.TextColor = 0x0000FF; }, true, QStringLiteral("Anfang & Ende")},
      {"entry added", [](TovHTML& d) { d.InsertItem(-1, "Kontakt", "kontakt.htm", "inhalt", false); }, false,
       QStringLiteral("Kontakt")},
      {"markup in a caption", [](TovHTML& d) { d.Items[0].Caption = "<b>Fett</b>"; }, false, QStringLiteral("Fett")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Js(window->View, QStringLiteral("window.__stand = 'alt';"));
    c.change(doc);
    window->StateChanged();
    ASSERT_TRUE(Refresh());
    EXPECT_TRUE(Body().contains(c.shows));
    EXPECT_EQ(Js(window->View, QStringLiteral("window.__stand === 'alt'")).toBool(), c.inPlace);
    // The script counted the entries the page was loaded with.
    EXPECT_EQ(Js(window->View, QStringLiteral("document.body.dataset.eintraege == document.querySelectorAll('li').length"))
                  .toBool(),
              true);
  }
  EXPECT_EQ(Js(window->View, QStringLiteral("getComputedStyle(document.body).color")).toString(),
            QStringLiteral("rgb(255, 0, 0)"));
}

TEST_F(PreviewWindowTest, theSelectedEntry_choosesItsGroupsPage) {
  struct Case {
    int entry;
    const char* page;
  } cases[] = {{3, "Gruppe.htm"}, {0, "menu.htm"}, {1, "Gruppe.htm"}, {-1, "menu.htm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    selected = c.entry;
    window->SelectionChanged();
    EXPECT_EQ(window->ShownPage(), QString::fromLatin1(c.page));
    EXPECT_EQ(window->PageList->currentText(), QString::fromLatin1(c.page));
    EXPECT_TRUE(WaitFor([&] { return window->View->url().path().endsWith(QLatin1String(c.page)); }));
  }
  selected = 2;
  window->SelectionChanged();
  ASSERT_TRUE(WaitFor([&] { return Body().contains(QStringLiteral("Eins")); }));
  EXPECT_EQ(Js(window->View, QStringLiteral("document.querySelector('li.offen').firstChild.textContent")).toString(),
            QStringLiteral("Gruppe"));
  EXPECT_EQ(window->PageList->count(), 2);
}

// An entry whose link names a page of the site holding the markers shows that page,
// at its own place, with the menu set in for it; any other entry the menu page.
TEST_F(PreviewWindowTest, anEntrysMarkedPage_showsWithTheMenuSetIn) {
  test::WriteTemplateSet(dir.file("Vorlagen/Marken"),
                         {{"template.ini", "[Main]\r\nall_in_one=1\r\n"},
                          {"header.txt", "<!-- navforge -->\n<nav>"},
                          {"menupoint.txt", "<a href=\"$Link$\"$Current$>$Linkname$</a>"},
                          {"activemenupoint.txt", "<a href=\"$Link$\"$Current$>$Linkname$</a>$submenu$"},
                          {"SubmenuPoint.txt", "<a href=\"$Link$\"$Current$>$Linkname$</a>"},
                          {"footer.txt", "</nav>\n<!-- /navforge -->"}});
  const std::string marked = "<p>Eigener Text</p>\n<!-- navforge -->\nalt\n<!-- /navforge -->\n";
  WriteFile(dir.file("site/eins.htm"), marked);
  WriteFile(dir.file("site/zwei.htm"), "<p>Ohne Markierung</p>");
  doc.Template = "Marken";
  window->StateChanged();
  ASSERT_TRUE(Refresh());
  struct Case {
    int entry;
    const char* page;
    bool own;  // the site page itself, with its entry marked as the page's own
  } cases[] = {{2, "eins.htm", true}, {3, "menu.htm", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    selected = c.entry;
    window->SelectionChanged();
    const QString loaded = QStringLiteral("/%1complete").arg(QLatin1String(c.page));
    ASSERT_TRUE(WaitFor(
        [&] { return Js(window->View, QStringLiteral("location.pathname + document.readyState")).toString() == loaded; }));
    EXPECT_EQ(Body().contains(QStringLiteral("Eigener Text")), c.own);
    EXPECT_FALSE(Body().contains(QStringLiteral("alt")));
    if (c.own) {
      EXPECT_EQ(Js(window->View, QStringLiteral("document.querySelector('[aria-current=page]').textContent")).toString(),
                QStringLiteral("Eins"));
    }
  }
  EXPECT_EQ(test::ReadFile(dir.file("site/eins.htm")), marked);
}

TEST_F(PreviewWindowTest, aLinkToAGeneratedPage_opensItInThePreviewAndItStays) {
  doc.Items[0].Link = "Gruppe.htm";  // aimed at the frame "inhalt", which the preview has not
  window->StateChanged();
  ASSERT_TRUE(Refresh());
  Js(window->View, QStringLiteral("document.querySelector('a').click()"));
  ASSERT_TRUE(WaitFor([&] { return window->ShownPage() == QStringLiteral("Gruppe.htm"); }));
  EXPECT_EQ(window->PageList->currentText(), QStringLiteral("Gruppe.htm"));
  doc.Title = "Neu";
  window->StateChanged();
  ASSERT_TRUE(Refresh());
  EXPECT_EQ(window->ShownPage(), QStringLiteral("Gruppe.htm"));
}

TEST_F(PreviewWindowTest, theSiteFolder_servesItsFilesAndNothingOutside) {
  EXPECT_EQ(LoadImage(window->View, QStringLiteral("bg.png")), QStringLiteral("ok"));
  EXPECT_EQ(LoadImage(window->View, QStringLiteral("..%2Fgeheim.png")), QStringLiteral("fehler"));
  EXPECT_EQ(LoadImage(window->View, QStringLiteral("verweis.png")), QStringLiteral("fehler"));
  EXPECT_GE(window->Handler()->Refused, 2);
  // The page's own background is the image from the site folder.
  EXPECT_TRUE(Js(window->View, QStringLiteral("getComputedStyle(document.body).backgroundImage"))
                  .toString()
                  .endsWith(QStringLiteral("/bg.png\")")));
}

// A page's script (from a caption of someone else's menu) reaches no other host and no
// file outside the site, and the preview says how many requests it refused.
TEST_F(PreviewWindowTest, aPagesScript_reachesNoOtherHost) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  QUdpSocket stun;  // where a peer connection would ask for its address
  ASSERT_TRUE(stun.bind(QHostAddress::LocalHost, server.serverPort()));
  const QString remote = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
  EXPECT_EQ(LoadImage(window->View, remote + QStringLiteral("bild.png")), QStringLiteral("fehler"));
  Js(window->View, QStringLiteral("window.__antwort = ''; fetch('%1daten').then(() => window.__antwort = 'ok',"
                                  " () => window.__antwort = 'fehler')").arg(remote));
  QString answer;
  ASSERT_TRUE(WaitFor([&] { return !(answer = Js(window->View, QStringLiteral("window.__antwort")).toString()).isEmpty(); }));
  EXPECT_EQ(answer, QStringLiteral("fehler"));
  // WebSocket and WebRTC connect past ordinary requests: both are tried too.
  Js(window->View, QStringLiteral("try { new WebSocket('ws://127.0.0.1:%1/'); } catch (e) {}"
                                  " try { const c = new RTCPeerConnection({iceServers: [{urls: 'stun:127.0.0.1:%1'}]});"
                                  " c.createDataChannel('d'); c.createOffer().then(o => c.setLocalDescription(o)); }"
                                  " catch (e) {}").arg(server.serverPort()));
  EXPECT_FALSE(server.waitForNewConnection(1000));
  EXPECT_FALSE(stun.waitForReadyRead(500));
  ASSERT_TRUE(WaitFor([&] { return window->Notes->isVisible(); }));
  EXPECT_TRUE(window->Notes->text().startsWith(QStringLiteral("3 Anfragen an Adressen außerhalb der Vorschau"))) 
      << window->Notes->text().toStdString();
}

// The root, a system folder or the home folder as output folder: only the generated
// pages are shown, never the files around them.
TEST_F(PreviewWindowTest, outputFolderAtTheRoot_servesNoFiles) {
  doc.Filename = "/navforge-vorschau-test.htm";
  window->StateChanged();
  ASSERT_TRUE(Refresh());
  EXPECT_EQ(window->ShownPage(), QStringLiteral("navforge-vorschau-test.htm"));
  Js(window->View, QStringLiteral("window.__text = ''; { const x = new XMLHttpRequest(); x.open('GET', 'etc/passwd');"
                                  " x.onload = () => window.__text = x.status === 200 ? x.responseText : 'fehler';"
                                  " x.onerror = () => window.__text = 'fehler'; x.send(); }"));
  QString text;
  ASSERT_TRUE(WaitFor([&] { return !(text = Js(window->View, QStringLiteral("window.__text")).toString()).isEmpty(); }));
  EXPECT_EQ(text, QStringLiteral("fehler"));
  EXPECT_TRUE(window->Notes->text().contains(QStringLiteral("zeigt die Vorschau nicht")));
  EXPECT_FALSE(fs::exists("/navforge-vorschau-test.htm"));
}

// window.open from a page's script opens nothing outside the preview unless the user
// has just clicked or pressed a key in the view.
TEST_F(PreviewWindowTest, windowOpen_leavesThePreviewOnlyAfterTheUsersClick) {
  QTextBrowser opened;  // stands in for the user's browser
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &opened, "setSource");
  const QString open = QStringLiteral("window.open('http://127.0.0.1:9/auf')");
  Js(window->View, open);
  QElapsedTimer wait;
  wait.start();
  WaitFor([&] { return false; }, 500);
  EXPECT_TRUE(opened.source().isEmpty()) << opened.source().toString().toStdString();

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window->View, &press);
  Js(window->View, open);
  EXPECT_TRUE(WaitFor([&] { return !opened.source().isEmpty(); }));
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

TEST_F(PreviewWindowTest, theOutputFolder_staysAsItWas) {
  doc.InsertItem(-1, "Kontakt", "kontakt.htm", "inhalt", false);
  window->StateChanged();
  ASSERT_TRUE(Refresh());
  const QStringList files = QDir(QString::fromStdString(dir.file("site"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  EXPECT_EQ(files, (QStringList{QStringLiteral("bg.png"), QStringLiteral("verweis.png")}));
}

TEST_F(PreviewWindowTest, problems_showAsALineUntilTheyAreGone) {
  struct Case {
    std::function<void(TovHTML&)> change;
    const char* text;
  } cases[] = {
      {[](TovHTML& d) { d.Template.clear(); }, "keine Vorlage"},
      {[](TovHTML& d) { d.Template = "Fehlt"; }, "Keine Vorschau: "},
      {[](TovHTML& d) { d.Filename.clear(); }, "kein Dateiname"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TovHTML before = doc;
    c.change(doc);
    window->StateChanged();
    ASSERT_TRUE(Refresh());
    EXPECT_EQ(window->Stack->currentWidget(), window->Problem);
    EXPECT_TRUE(window->Problem->text().contains(QString::fromUtf8(c.text))) << window->Problem->text().toStdString();
    doc = before;
    window->StateChanged();
    ASSERT_TRUE(Refresh());
    EXPECT_NE(window->Stack->currentWidget(), window->Problem);
    EXPECT_EQ(window->ShownPage(), QStringLiteral("menu.htm"));
  }
}

TEST_F(PreviewWindowTest, aChangedFragmentOnDisk_refreshesThePreview) {
  test::WriteTemplateSet(dir.file("Vorlagen/Test"), {{"footer.txt", "<p>Neuer Fu\xDF</p></ul></body></html>"}});
  ASSERT_TRUE(Refresh());
  EXPECT_TRUE(WaitFor([&] { return Body().contains(QStringLiteral("Neuer Fu\u00df")); }));
}

TEST_F(PreviewWindowTest, theWindow_keepsItsPlace) {
  window->setGeometry(120, 110, 700, 500);
  ASSERT_TRUE(WaitFor([&] { return window->size() == QSize(700, 500); }));
  window->hide();
  TPreviewSource none{[] { return std::make_unique<TPreviewState>(); }, [] { return -1; }};
  TPreviewWindow again(none, QString::fromStdString(dir.file("config/vorschau.ini")));
  EXPECT_EQ(again.size(), QSize(700, 500));
}

}  // namespace
}  // namespace navforge::preview
