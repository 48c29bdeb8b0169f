#pragma once
// The window's edge between the core's Windows-1252 texts and Qt's Unicode strings.
// File-system names are no such texts: they pass with PathFromQ/PathToQ.
#include <QString>
#include <QValidator>
#include <string>

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

}  // namespace navforge
