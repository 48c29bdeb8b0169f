#include "ui/importdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "import/pagecaption.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "ui/importpages.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {
namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kShownRole = Qt::UserRole + 1;  // the caption as it stood before an edit

// The link column shows, but is not edited.
class TReadOnlyColumn : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override { return nullptr; }
};

}  // namespace

TImportDialog::TImportDialog(QWidget* parent, const TImportReview& review, const std::vector<std::string>& sets,
                             TProposeForSet propose, const TImportChoices& start)
    : QDialog(parent), propose_(std::move(propose)) {
  setObjectName(QStringLiteral("ImportDialog"));
  setWindowTitle(ToQ("Seiten importieren"));
  auto* layout = new QVBoxLayout(this);

  auto* form = new QFormLayout;
  SetBox = new QComboBox(this);
  SetBox->setObjectName(QStringLiteral("SetBox"));
  for (const std::string& set : sets.empty() ? std::vector<std::string>{start.Set} : sets) SetBox->addItem(ToQ(set));
  SetBox->setCurrentIndex(SetBox->findText(ToQ(start.Set)));
  SetBox->setEnabled(!sets.empty());
  if (sets.empty())
    SetBox->setToolTip(QStringLiteral("Ein Menü mit Einträgen behält sein Menütemplate; es wird auf der Seite "
                                      "„Allgemein“ gewählt."));
  form->addRow(QStringLiteral("&Menütemplate:"), SetBox);
  TargetEdit = new QLineEdit(ToQ(start.Target), this);
  TargetEdit->setObjectName(QStringLiteral("TargetEdit"));
  TargetEdit->setPlaceholderText(QStringLiteral("leer: im selben Fenster"));
  form->addRow(QStringLiteral("&Ziel (Frame):"), TargetEdit);
  TargetSource = new QLabel(this);
  TargetSource->setObjectName(QStringLiteral("TargetSource"));
  form->addRow(QString(), TargetSource);
  layout->addLayout(form);

  layout->addWidget(new QLabel(QStringLiteral("Diese Einträge kommen ins Menü (Unterpunkte eingerückt; "
                                              "die Beschriftung ändern Doppelklick oder F2):"),
                               this));
  EntryList = new QTreeWidget(this);
  EntryList->setObjectName(QStringLiteral("EntryList"));
  EntryList->setHeaderLabels({QStringLiteral("Beschriftung"), QStringLiteral("Link")});
  EntryList->setItemDelegateForColumn(1, new TReadOnlyColumn(EntryList));
  EntryList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  connect(EntryList, &QTreeWidget::itemChanged, this, &TImportDialog::CaptionEdited);
  layout->addWidget(EntryList, 3);

  WarningText = new QPlainTextEdit(this);
  WarningText->setObjectName(QStringLiteral("WarningText"));
  WarningText->setReadOnly(true);
  warningLabel_ = new QLabel(ToQ("Hinweise:"), this);
  layout->addWidget(warningLabel_);
  layout->addWidget(WarningText, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  Show(review, start.Checked, start.Captions);
  // Another set may leave out other pages (those its pages would replace) and suggest
  // another frame: the list starts again from its review.
  connect(SetBox, &QComboBox::currentTextChanged, this, [this](const QString& set) {
    if (!propose_ || set.isEmpty()) return;
    const TImportReview review = propose_(FromQ(set));
    std::vector<std::string> captions;
    for (const import::ProposedEntry& e : review.Proposal.Entries) captions.push_back(e.Caption);
    TargetEdit->setText(ToQ(review.Target));
    Show(review, review.Checked, captions);
  });
  resize(560, 480);
}

void TImportDialog::Show(const TImportReview& review, const std::vector<bool>& checked,
                         const std::vector<std::string>& captions) {
  filling_ = true;
  EntryList->clear();
  const std::vector<import::ProposedEntry>& entries = review.Proposal.Entries;
  count_ = entries.size();
  std::vector<QTreeWidgetItem*> above;  // the entry shown last at each level
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const import::ProposedEntry& e = entries[i];
    const QString caption = ToQ(import::PlainText(i < captions.size() ? captions[i] : e.Caption));
    const std::size_t level = std::min(static_cast<std::size_t>(import::LevelOf(e)), above.size());
    auto* item = level > 0 ? new QTreeWidgetItem(above[level - 1]) : new QTreeWidgetItem(EntryList);
    above.resize(level);
    above.push_back(item);
    item->setText(0, caption);
    item->setText(1, ToQ(e.Link));
    item->setData(0, kIndexRole, static_cast<int>(i));
    item->setData(0, kShownRole, caption);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
    item->setCheckState(0, i < checked.size() && checked[i] ? Qt::Checked : Qt::Unchecked);
    if (e.Unmappable)
      item->setToolTip(0, QStringLiteral("Der Titel enthält Zeichen, die Windows-1252 nicht kennt. Angehakt wird er "
                                         "mit \"?\" an ihrer Stelle übernommen."));
  }
  EntryList->expandAll();
  EntryList->resizeColumnToContents(0);
  TargetSource->setText(ToQ(review.TargetSource));
  TargetSource->setVisible(!review.TargetSource.empty());
  QString text;
  for (const std::string& line : review.Warnings) text += ToQ(line) + QLatin1Char('\n');
  WarningText->setPlainText(text);
  warningLabel_->setVisible(!review.Warnings.empty());
  WarningText->setVisible(!review.Warnings.empty());
  filling_ = false;
}

// A caption must stay something the menu can hold: an empty one, or one with characters
// Windows-1252 lacks, goes back to what it was.
void TImportDialog::CaptionEdited(QTreeWidgetItem* item, int column) {
  if (filling_ || column != 0) return;
  const QString text = item->text(0).trimmed();
  filling_ = true;
  if (text.isEmpty() || !FitsCp1252(text)) {
    item->setText(0, item->data(0, kShownRole).toString());
  } else {
    item->setData(0, kShownRole, text);
    item->setText(0, text);
  }
  filling_ = false;
}

TImportChoices TImportDialog::Choices() const {
  TImportChoices choices;
  choices.Checked.assign(count_, false);
  choices.Captions.assign(count_, std::string());
  for (QTreeWidgetItemIterator it(EntryList); *it; ++it) {
    const auto i = static_cast<std::size_t>((*it)->data(0, kIndexRole).toInt());
    choices.Checked[i] = (*it)->checkState(0) == Qt::Checked;
    choices.Captions[i] = import::HtmlText(FromQ((*it)->text(0)));
  }
  choices.Set = FromQ(SetBox->currentText());
  choices.Target = FromQ(TargetEdit->text().trimmed());
  return choices;
}

bool ReviewImport(QWidget* parent, const TImportReview& review, const std::vector<std::string>& sets,
                  const TProposeForSet& propose, TImportChoices& choices) {
  TImportDialog dialog(parent, review, sets, propose, choices);
  if (dialog.exec() != QDialog::Accepted) return false;
  choices = dialog.Choices();
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
    steps.Review = [this](const TImportReview& review, const std::vector<std::string>& sets,
                          const TProposeForSet& propose, TImportChoices& choices) {
      return ReviewImport(this, review, sets, propose, choices);
    };
    const std::string set = MenuDoc->Template;
    const int first = ImportPages(*MenuDoc, FromFsName(CurrentFile), SelectedIndex(), steps);
    if (first < 0) return;
    if (MenuDoc->Template != set) GetSettings();  // the set chosen for the new menu shows on its page
    EntriesChanged(QStringLiteral("Seiten importieren"), first);
  });
}

}  // namespace navforge
