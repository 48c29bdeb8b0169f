#include "ui/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace navforge {
namespace {
const QString kKey = QStringLiteral("Zuletzt/Dateien");
}  // namespace

TRecentFiles::TRecentFiles(QString store) : store_(std::move(store)) { Load(); }

// Read again each time: another running copy may have opened a menu since.
void TRecentFiles::Load() {
  if (store_.isEmpty()) return;
  files_ = QSettings(store_, QSettings::IniFormat).value(kKey).toStringList();
  files_.removeAll(QString());
  files_.removeDuplicates();
  while (files_.size() > kCount) files_.removeLast();
}

QStringList TRecentFiles::Files() {
  Load();
  return files_;
}

void TRecentFiles::Add(const QString& file) {
  Load();
  files_.removeAll(file);
  files_.prepend(file);
  while (files_.size() > kCount) files_.removeLast();
  Save();
}

void TRecentFiles::Remove(const QString& file) {
  Load();
  if (files_.removeAll(file) > 0) Save();
}

void TRecentFiles::Save() const {
  if (store_.isEmpty()) return;
  QDir().mkpath(QFileInfo(store_).absolutePath());
  QSettings settings(store_, QSettings::IniFormat);
  settings.setValue(kKey, files_);
}

}  // namespace navforge
