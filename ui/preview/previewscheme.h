#pragma once
// The private URL scheme the preview's pages come from: generated pages and marked
// site pages with the menu set in from memory, every other file from the output folder
// on disk, read only, nothing outside it.
#include <QWebEngineUrlSchemeHandler>
#include <memory>

#include "ui/preview/previewbuild.h"

namespace navforge::preview {

// "navforge-vorschau://site/<name>": one host, the output folder's files below it.
inline constexpr char kScheme[] = "navforge-vorschau";
inline constexpr char kHost[] = "site";

// Registers the scheme and shares the graphics contexts the engine needs; to be
// called once, before the application object is created.
void PreparePreviewEngine();

QUrl PageUrl(const QString& name);

class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT
public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
  void SetBuild(std::shared_ptr<const TPreviewBuild> build) { build_ = std::move(build); }
  void requestStarted(QWebEngineUrlRequestJob* job) override;

  int Refused = 0;  // requests turned away, for the window's tests

private:
  std::shared_ptr<const TPreviewBuild> build_;
};

}  // namespace navforge::preview
