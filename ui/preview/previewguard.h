#pragma once
// What a preview page may reach: its own scheme and the inline data it makes, nothing
// else. A menu from someone else may put script into a page; the preview must not let
// it fetch the user's files or send anything to another host.
#include <QObject>
#include <QWebEngineUrlRequestInterceptor>
#include <atomic>

namespace navforge::preview {

class TPreviewRequestGuard : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT
public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;

  // Requests refused since the last Reset (a remote font, an image from the net, a
  // script's call home), so a page that looks broken can say why.
  int Refused() const { return refused_; }
  void Reset() { refused_ = 0; }

signals:
  void RequestRefused();

private:
  std::atomic<int> refused_{0};
};

// Whether a page of the preview may load url.
bool PreviewMayLoad(const QUrl& url);

}  // namespace navforge::preview
