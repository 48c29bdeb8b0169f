#include "ui/preview/previewguard.h"

#include <QUrl>
#include <QWebEngineUrlRequestInfo>

#include "ui/preview/previewscheme.h"

namespace navforge::preview {

bool PreviewMayLoad(const QUrl& url) {
  const QString scheme = url.scheme();
  if (scheme == QLatin1String(kScheme)) return url.host() == QLatin1String(kHost);
  // Made by the page itself, from nothing outside it.
  return scheme == QLatin1String("data") || scheme == QLatin1String("blob") || scheme == QLatin1String("about");
}

void TPreviewRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (PreviewMayLoad(info.requestUrl())) return;
  info.block(true);
  ++refused_;
  emit RequestRefused();
}

}  // namespace navforge::preview
