#include "ui/importdialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/fsname.h"
#include "support/paths.h"
#include "ui/importpages.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {

TImportDialog::TImportDialog(QWidget* parent, const import::ImportProposal& proposal,
                             const std::vector<std::string>& warnings, const std::vector<bool>& checked)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ImportDialog"));
  setWindowTitle(ToQ("Seiten importieren"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Diese Einträge kommen ins Menü (Unterpunkte mit \"- \"):"), this));
  EntryList = new QListWidget(this);
  EntryList->setObjectName(QStringLiteral("EntryList"));
  for (std::size_t i = 0; i < proposal.Entries.size(); ++i) {
    const import::ProposedEntry& e = proposal.Entries[i];
    auto* item = new QListWidgetItem(ToQ((e.IsSubItem ? "- " : "") + e.Caption + "   (" + e.Link + ")"), EntryList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked[i] ? Qt::Checked : Qt::Unchecked);
    if (e.Unmappable)
      item->setToolTip(QStringLiteral("Der Titel enthält Zeichen, die Windows-1252 nicht kennt. Angehakt wird er "
                                      "mit \"?\" an ihrer Stelle übernommen."));
  }
  layout->addWidget(EntryList, 3);

  WarningText = new QPlainTextEdit(this);
  WarningText->setObjectName(QStringLiteral("WarningText"));
  WarningText->setReadOnly(true);
  QString text;
  for (const std::string& line : warnings) text += ToQ(line) + QLatin1Char('\n');
  WarningText->setPlainText(text);
  auto* warningLabel = new QLabel(ToQ("Hinweise:"), this);
  layout->addWidget(warningLabel);
  layout->addWidget(WarningText, 1);
  warningLabel->setVisible(!warnings.empty());
  WarningText->setVisible(!warnings.empty());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(480, 420);
}

std::vector<bool> TImportDialog::Checked() const {
  std::vector<bool> checked;
  for (int i = 0; i < EntryList->count(); ++i) checked.push_back(EntryList->item(i)->checkState() == Qt::Checked);
  return checked;
}

bool ReviewImport(QWidget* parent, const import::ImportProposal& proposal, const std::vector<std::string>& warnings,
                  std::vector<bool>& checked) {
  TImportDialog dialog(parent, proposal, warnings, checked);
  if (dialog.exec() != QDialog::Accepted) return false;
  checked = dialog.Checked();
  return true;
}

// The command behind "Seiten importieren...". The entries go into the document like
// any other change, show at once in the entry list and leave the menu modified.
void Tmainform::ImportPagesClick() {
  Guard([&] {
    SetSettings();
    TImportPagesSteps steps;
    // The import works on stored texts, as the links it makes are.
    steps.ChooseFolder = [this] {
      const QString start = PathToQ(ExtractFilePath(CurrentFile));
      const std::string chosen =
          PathFromQ(QFileDialog::getExistingDirectory(this, QStringLiteral("Ordner der Seiten wählen"), start));
      std::string folder;
      if (!chosen.empty() && !StoredText(chosen, folder)) folder.clear();
      return folder;
    };
    steps.Review = [this](const import::ImportProposal& proposal, const std::vector<std::string>& warnings,
                          std::vector<bool>& checked) { return ReviewImport(this, proposal, warnings, checked); };
    const int first = ImportPages(*MenuDoc, FromFsName(CurrentFile), SelectedIndex(), steps);
    if (first < 0) return;
    EntriesChanged(QStringLiteral("Seiten importieren"), first);
  });
}

}  // namespace navforge
