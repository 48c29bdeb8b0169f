#include "ui/preview/previewscheme.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include "ui/preview/sitefolder.h"

namespace navforge::preview {

void PreparePreviewEngine() {
  QWebEngineUrlScheme scheme(kScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // WebRTC sends its own UDP packets, past every request the interceptor sees: a page
  // of the preview gets no such path (only through a proxy, and the preview has none).
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (!flags.contains("force-webrtc-ip-handling-policy")) {
    flags += " --force-webrtc-ip-handling-policy=disable_non_proxied_udp";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  }
}

QUrl PageUrl(const QString& name) {
  QUrl url;
  url.setScheme(QLatin1String(kScheme));
  url.setHost(QLatin1String(kHost));
  url.setPath(QLatin1Char('/') + name);
  return url;
}

namespace {

void Reply(QWebEngineUrlRequestJob* job, const QByteArray& type, const QByteArray& bytes) {
  auto* buffer = new QBuffer(job);
  buffer->setData(bytes);
  job->reply(type, buffer);
}

}  // namespace

void TPreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (!build_ || url.host() != QLatin1String(kHost) || job->requestMethod() != "GET") {
    ++Refused;
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const QString name = url.path(QUrl::FullyDecoded).mid(1);
  if (const QByteArray* page = build_->Page(name)) {
    Reply(job, build_->Utf8 ? "text/html; charset=utf-8" : "text/html; charset=windows-1252", *page);
    return;
  }
  if (const TSitePage* site = build_->SitePage(name)) {
    Reply(job, site->Utf8 ? "text/html; charset=utf-8" : "text/html; charset=windows-1252", site->Bytes);
    return;
  }
  const auto file = build_->ServesFolder ? SiteFile(build_->Folder, name.toStdString()) : std::nullopt;
  if (!file) {
    ++Refused;
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  QFile in(QString::fromStdString(file->string()));
  if (!in.open(QIODevice::ReadOnly)) {
    job->fail(QWebEngineUrlRequestJob::RequestFailed);
    return;
  }
  static const QMimeDatabase mimes;
  Reply(job, mimes.mimeTypeForFile(in.fileName(), QMimeDatabase::MatchExtension).name().toUtf8(), in.readAll());
}

}  // namespace navforge::preview
