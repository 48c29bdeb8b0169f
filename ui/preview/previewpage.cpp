#include "ui/preview/previewpage.h"

#include <QDesktopServices>
#include <QWebEngineScript>

#include "ui/preview/previewscheme.h"

namespace navforge::preview {

bool TPreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  const QString scheme = url.scheme();
  if (relayFor_) {
    if (scheme == QLatin1String("about")) return true;  // a new window's blank start
    if (scheme == QLatin1String(kScheme))
      relayFor_->setUrl(url);
    else
      relayFor_->acceptNavigationRequest(url, NavigationTypeLinkClicked, true);
    deleteLater();
    return false;
  }
  if (scheme == QLatin1String(kScheme) || scheme == QLatin1String("about") || scheme == QLatin1String("data"))
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
  // Only what the user clicked leaves the preview, never what a page does by itself.
  if (type == NavigationTypeLinkClicked && UserActedRecently() &&
      (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")))
    QDesktopServices::openUrl(url);
  return false;
}

bool TPreviewPage::UserActedRecently() const {
  // Long enough for a click to become a navigation on a loaded machine, short enough
  // that a page's timer cannot ride on it.
  constexpr qint64 kGestureMs = 2000;
  return lastInput_.isValid() && lastInput_.elapsed() < kGestureMs;
}

namespace {
const QString kFrameMessage = QStringLiteral("navforge-frame-painted");
}

void TPreviewPage::ReportPaintedFrame() {
  runJavaScript(QStringLiteral("requestAnimationFrame(() => requestAnimationFrame(() => console.info('%1')));")
                    .arg(kFrameMessage),
                QWebEngineScript::ApplicationWorld);
}

void TPreviewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                           const QString& source) {
  // A page could print the same text; it would only make a measurement look faster.
  if (message == kFrameMessage) {
    emit FramePainted();
    return;
  }
  QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
}

// A link aimed at a frame or window the preview does not have opens in the preview.
QWebEnginePage* TPreviewPage::createWindow(WebWindowType) {
  auto* relay = new TPreviewPage(profile(), this);
  relay->relayFor_ = this;
  return relay;
}

}  // namespace navforge::preview
