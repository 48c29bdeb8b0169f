#pragma once
// The window's edge between the core's Windows-1252 texts and Qt's Unicode strings.
#include <QString>
#include <QValidator>
#include <string>

class QFontMetrics;

namespace navforge {

QString ToQ(const std::string& cp1252);
// Characters Windows-1252 cannot hold become "?"; the edit boxes never let one in,
// so only file names the platform hands over can meet this.
std::string FromQ(const QString& text);
bool FitsCp1252(const QString& text);

// File-system names in the platform's encoding (UTF-8 here), not Windows-1252.
std::string PathFromQ(const QString& path);
QString PathToQ(const std::string& path);

// Refuses any input holding a character outside Windows-1252, typed or pasted.
class TCp1252Validator : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// Breaks the lines of a hint so that none is wider than maxWidth pixels (a word
// wider than that stays whole on its own line). Lines are split at CR LF or LF.
QString WrapHint(const QString& text, const QFontMetrics& metrics, int maxWidth);

}  // namespace navforge
