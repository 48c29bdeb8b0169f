#pragma once
// "Zuletzt geöffnet": the last eight menus opened or saved, newest first, kept in an
// INI file that every running copy of the program shares.
#include <QString>
#include <QStringList>

namespace navforge {

class TRecentFiles {
public:
  static constexpr int kCount = 8;
  // store: the INI file ("" keeps the list for this run only).
  explicit TRecentFiles(QString store);
  QStringList Files();  // file-system names as Qt strings, newest first
  // The file moves to the top; the ninth drops off.
  void Add(const QString& file);
  void Remove(const QString& file);

private:
  void Load();
  void Save() const;
  QString store_;
  QStringList files_;
};

}  // namespace navforge
