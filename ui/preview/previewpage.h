#pragma once
// The preview's web page: links between generated pages and to the site's files stay
// inside the preview, whatever frame they name; http(s) and mail links open in the
// user's own programs; every other address is refused.
#include <QWebEnginePage>

namespace navforge::preview {

class TPreviewPage : public QWebEnginePage {
  Q_OBJECT
public:
  using QWebEnginePage::QWebEnginePage;

protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

private:
  // A page made for a link aimed at another frame or window: it hands the address to
  // relayFor_ and goes away.
  TPreviewPage* relayFor_ = nullptr;
};

}  // namespace navforge::preview
