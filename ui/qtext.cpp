#include "ui/qtext.h"

#include <QFile>
#include <QFontMetrics>
#include <QStringList>

#include "support/cp1252.h"

namespace navforge {

QString ToQ(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string FromQ(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (char32_t cp : text.toUcs4()) {
    int byte = UnicodeToCp1252(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

bool FitsCp1252(const QString& text) {
  for (char32_t cp : text.toUcs4())
    if (UnicodeToCp1252(cp) < 0) return false;
  return true;
}

// File-system names in the local 8-bit encoding (UTF-8 here), never Windows-1252.
std::string PathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString PathToQ(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QValidator::State TCp1252Validator::validate(QString& input, int&) const {
  // A lone surrogate (half a character being typed) is no character yet, and
  // toUcs4 would turn it into U+FFFD, which Windows-1252 lacks anyway.
  return FitsCp1252(input) ? Acceptable : Invalid;
}

QString WrapHint(const QString& text, const QFontMetrics& metrics, int maxWidth) {
  QString normalized = text;
  normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QStringList out;
  for (const QString& line : normalized.split(QLatin1Char('\n'))) {
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
      QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
      if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > maxWidth) {
        out << current;
        current = word;
      } else {
        current = candidate;
      }
    }
    out << current;
  }
  return out.join(QLatin1Char('\n'));
}

}  // namespace navforge
