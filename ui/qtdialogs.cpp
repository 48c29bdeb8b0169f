#include "ui/qtdialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "persist/settings.h"
#include "support/paths.h"
#include "ui/qtext.h"

namespace navforge {

std::string AddDefaultExt(const std::string& path, const std::string& defaultExt) {
  if (defaultExt.empty()) return path;
  if (ExtractFileName(path).find('.') != std::string::npos) return path;
  return path + "." + defaultExt;
}

QString QtNameFilters(const std::string& filter) {
  QStringList parts = ToQ(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (QString p : parts[i + 1].split(QLatin1Char(';'))) {
      p = p.trimmed();
      if (p == QLatin1String("*.*")) p = QStringLiteral("*");
      if (!p.isEmpty()) patterns << p;
    }
    filters << parts[i].trimmed() + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QLatin1String(";;"));
}

bool TQtDialogs::Execute(TFileDialog& dialog, bool save) {
  QFileDialog fd(parent_);
  fd.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  fd.setFileMode(QFileDialog::AnyFile);  // the open dialog takes a name that does not exist, too
  fd.setOption(QFileDialog::DontConfirmOverwrite, true);
  fd.setOption(QFileDialog::HideNameFilterDetails, true);
  fd.setNameFilters(QtNameFilters(dialog.Filter).split(QLatin1String(";;")));
  if (!dialog.InitialDir.empty()) fd.setDirectory(PathToQ(dialog.InitialDir));
  if (!dialog.FileName.empty()) {
    QString name = PathToQ(dialog.FileName);
    QFileInfo info(name);
    if (info.isAbsolute()) fd.setDirectory(info.absolutePath());
    fd.selectFile(info.fileName());
  }
  if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
  std::string chosen = PathFromQ(fd.selectedFiles().first());
  dialog.FileName = AddDefaultExt(chosen, dialog.DefaultExt);
  return true;
}

bool TQtDialogs::ExecuteOpen(TFileDialog& dialog) { return Execute(dialog, false); }
bool TQtDialogs::ExecuteSave(TFileDialog& dialog) { return Execute(dialog, true); }

bool TQtDialogs::ExecuteColor(std::int32_t& color) {
  QColor start = color == clNone ? QColor(Qt::white)
                                 : QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  QColor chosen = QColorDialog::getColor(start, parent_);
  if (!chosen.isValid()) return false;
  color = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
  return true;
}

void TQtDialogs::Message(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ToQ(caption), ToQ(text), QMessageBox::Ok, parent_);
  box.exec();
}

void TQtDialogs::Error(const std::string& caption, const std::string& text) {
  QMessageBox::warning(parent_, ToQ(caption), ToQ(text));
}

TConfirmAnswer TQtDialogs::Confirm(const std::string& caption, const std::string& text) {
  return Ask(caption, text, false);
}

TConfirmAnswer TQtDialogs::ConfirmOrCancel(const std::string& caption, const std::string& text) {
  return Ask(caption, text, true);
}

TConfirmAnswer TQtDialogs::Ask(const std::string& caption, const std::string& text, bool cancel) {
  QMessageBox box(QMessageBox::Question, ToQ(caption), ToQ(text), QMessageBox::NoButton, parent_);
  QPushButton* yes = box.addButton(ToQ("&Ja"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(ToQ("&Nein"), QMessageBox::NoRole);
  QPushButton* abort = cancel ? box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole) : nullptr;
  box.setDefaultButton(yes);
  box.setEscapeButton(abort ? abort : no);
  box.exec();
  if (box.clickedButton() == yes) return TConfirmAnswer::Yes;
  if (abort && box.clickedButton() != no) return TConfirmAnswer::Cancel;
  return TConfirmAnswer::No;
}

TTypingAnswer TQtDialogs::ApplyOrDiscard(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, ToQ(caption), ToQ(text), QMessageBox::NoButton, parent_);
  QPushButton* apply = box.addButton(QStringLiteral("Übernehmen"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("Verwerfen"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(apply);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == apply) return TTypingAnswer::Apply;
  if (box.clickedButton() == discard) return TTypingAnswer::Discard;
  return TTypingAnswer::Cancel;
}

}  // namespace navforge
