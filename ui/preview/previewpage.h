#pragma once
// The preview's web page: links between generated pages and to the site's files stay
// inside the preview, whatever frame they name; http(s) and mail links open in the
// user's own programs, but only right after the user clicked or pressed a key in the
// view (a page's script opening windows by itself on every refresh does not); every
// other address is refused.
#include <QElapsedTimer>
#include <QWebEnginePage>

namespace navforge::preview {

class TPreviewPage : public QWebEnginePage {
  Q_OBJECT
public:
  using QWebEnginePage::QWebEnginePage;
  // A mouse button or key pressed in the view.
  void NoteUserInput() { lastInput_.start(); }
  bool UserActedRecently() const;
  // Asks the page, from a world of its own, to say when the second animation frame after
  // now has been painted: the loaded page is then on the screen.
  void ReportPaintedFrame();

signals:
  void FramePainted();

protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;

private:
  // A page made for a link aimed at another frame or window: it hands the address to
  // relayFor_ and goes away.
  TPreviewPage* relayFor_ = nullptr;
  QElapsedTimer lastInput_;
};

}  // namespace navforge::preview
