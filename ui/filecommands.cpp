// The main toolbar and the commands on the whole menu: new, open (with "Zuletzt
// geöffnet"), save, save as, undo and redo, generate with the line it leaves, version
// control and info (check and "In Seiten einsetzen" add their own); the two browse
// buttons of "Allgemein"; the window caption they keep.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <filesystem>

#include "core/pagefiles.h"
#include "navforge_version.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
#include "support/locations.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"
#include "ui/applycommand.h"
#include "ui/checkwindow.h"
#include "ui/editbox.h"
#include "ui/filefilters.h"
#include "ui/formparts.h"
#include "ui/hints.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/recentfiles.h"
#include "ui/relpath.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

std::string& AppTitleStore() {
  static std::string title;
  return title;
}

// A file-system name for a message or a title ("?" for what Windows-1252 lacks).
std::string PathAsText(const std::string& path) { return FromQ(PathToQ(path)); }

}  // namespace

std::string ApplicationTitle() { return AppTitleStore(); }
void SetApplicationTitle(const std::string& title) { AppTitleStore() = title; }

std::string TitleFor(const std::string& currentFile, const std::string& appTitle) {
  if (currentFile.empty()) return appTitle;
  return PathAsText(ExtractFileName(currentFile)) + " - " + appTitle;
}

// The caption shows the file name whole, whatever characters it holds.
QString WindowCaption(const std::string& currentFile, const std::string& appTitle, bool modified) {
  const QString mark = modified ? QStringLiteral("*") : QString();
  if (currentFile.empty()) return ToQ(appTitle) + mark;
  return PathToQ(ExtractFileName(currentFile)) + mark + QStringLiteral(" - ") + ToQ(appTitle);
}

void Tmainform::CreateMainToolbar() {
  using Keys = QList<QKeySequence>;
  const auto ctrl = [](Qt::Key key, Qt::KeyboardModifiers more = {}) {
    return Keys{QKeySequence(Qt::ControlModifier | more | key)};
  };
  TBToolbar1 = MakeToolbar(this, "TBToolbar1", "TBDock1", 0, 0, width(), true);
  TBDock1 = TBToolbar1->parentWidget();
  BtnExit = AddCommand(TBToolbar1, "BtnExit", "exit", "Programm beenden", &Tmainform::applicationend, ctrl(Qt::Key_Q));
  TBSeparatorItem1 = AddSeparator(TBToolbar1, "TBSeparatorItem1");
  BtnNew = AddCommand(TBToolbar1, "BtnNew", "new", "Neu", &Tmainform::BtnNewClick, ctrl(Qt::Key_N));
  BtnOpen = AddCommand(TBToolbar1, "BtnOpen", "open", "Öffnen..."_cp1252, &Tmainform::BtnOpenClick, ctrl(Qt::Key_O));
  BtnSave = AddCommand(TBToolbar1, "BtnSave", "save", "Speichern", &Tmainform::BtnSaveClick, ctrl(Qt::Key_S));
  BtnSaveAs = AddCommand(TBToolbar1, "BtnSaveAs", "saveas", "Speichern unter...", &Tmainform::BtnSaveAsClick,
                         ctrl(Qt::Key_S, Qt::ShiftModifier));
  AddSeparator(TBToolbar1, "TBSeparatorItemUndo");
  CreateUndoCommands();
  TBSeparatorItem2 = AddSeparator(TBToolbar1, "TBSeparatorItem2");
  TBItem5 = AddCommand(TBToolbar1, "TBItem5", "generate", "HTML Menü erstellen"_cp1252, &Tmainform::TBItem5Click,
                       ctrl(Qt::Key_B));
  BtnCheck = AddCheckCommand(*this, TBToolbar1);
  BtnCheck->setShortcut(QKeySequence(Qt::Key_F7));
  AddApplyCommand(*this, TBToolbar1);
  TBSeparatorItem3 = AddSeparator(TBToolbar1, "TBSeparatorItem3");
  TBItem6 = AddCommand(TBToolbar1, "TBItem6", "version", "Versionskontrolle", &Tmainform::TBItem6Click);
  TBSeparatorItem4 = AddSeparator(TBToolbar1, "TBSeparatorItem4");
  TBItem7 = AddCommand(TBToolbar1, "TBItem7", "info", "Info", &Tmainform::TBItem7Click);
  SetShowHint(TBToolbar1, true);

  // "Zuletzt geöffnet" from the open button's arrow, or Alt+Down on the button.
  RecentMenu = new QMenu(QStringLiteral("Zuletzt geöffnet"), this);
  RecentMenu->setObjectName(QStringLiteral("RecentMenu"));
  BtnOpen->setMenu(RecentMenu);
  if (auto* button = qobject_cast<QToolButton*>(TBToolbar1->widgetForAction(BtnOpen))) {
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->installEventFilter(this);
  }
  connect(RecentMenu, &QMenu::aboutToShow, this, &Tmainform::FillRecentMenu);

  // The line a generation leaves, in the free space at the toolbar's end.
  GenerateResult = new QLabel(TBDock1);
  GenerateResult->setObjectName(QStringLiteral("GenerateResult"));
  GenerateResult->setTextFormat(Qt::RichText);
  GenerateResult->setTextInteractionFlags(Qt::TextBrowserInteraction);
  GenerateResult->setWordWrap(true);  // a line a little too long takes the toolbar's second row
  GenerateResult->hide();
  connect(GenerateResult, &QLabel::linkActivated, this, [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
}

void Tmainform::ApplyTitleRule() {
  SetApplicationTitle(TitleFor(CurrentFile, AppTitle));
  setWindowTitle(WindowCaption(CurrentFile, AppTitle, Modified));
}

// Typed entry texts first: applied, they are part of the changes the second question is about.
bool Tmainform::UnsavedChangesHandled() {
  if (!TypingHandled()) return false;
  RecordFormatting();
  if (!Modified) return true;
  switch (dialogs_->ConfirmOrCancel(
      "Bestätigung"_cp1252, "Das Menü wurde geändert. Sollen die Änderungen gespeichert werden?"_cp1252)) {
    case TConfirmAnswer::Yes:
      return SaveMenu();
    case TConfirmAnswer::No:
      return true;
    case TConfirmAnswer::Cancel:
      break;
  }
  return false;
}

void Tmainform::BtnNewClick() {
  if (!UnsavedChangesHandled()) return;
  Guard([&] {
    MenuDoc->ClearItems();
    MenuDoc->Variables.ClearVariables();
    MenuDoc->ResetFormatting();
    GetSettings();
    FillItemList();
    FillGrid();
    for (TEdit* edit : {menuname, menulink, linktarget, Edit1, Edit2}) edit->clear();
    ShowInBoxes(-1);
    CurrentFile.clear();
    GenerateResult->hide();
    ResetHistory();
    ApplyTitleRule();
  });
}

void Tmainform::BtnOpenClick() {
  if (!UnsavedChangesHandled()) return;
  Guard([&] {
    OpenDialog1.Filter = kMenuFilter;
    OpenDialog1.FileName.clear();
    OpenDialog1.InitialDir = ExtractFilePath(CurrentFile);
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    LoadMenu(OpenDialog1.FileName);
  });
}

void Tmainform::OpenMenuFile(const std::string& path) {
  if (!UnsavedChangesHandled()) return;
  // A menu moved or deleted since leaves the list when it fails to open.
  if (!Guard([&] { LoadMenu(path); })) recent_->Remove(PathToQ(path));
}

void Tmainform::LoadMenu(const std::string& path) {
  // A fresh document, so nothing of the previous menu mixes in; it replaces the
  // current one only when the whole file was read.
  std::unique_ptr<TovHTML> loaded = NewDocument();
  loaded->LoadFromFile(path);
  MenuDoc = std::move(loaded);
  CurrentFile = path;
  FillItemList();
  FillGrid();
  GetSettings();
  ShowInBoxes(-1);  // the boxes keep their texts, which belong to no entry of this menu
  GenerateResult->hide();
  ResetHistory();
  ApplyTitleRule();
  recent_->Add(PathToQ(path));
}

void Tmainform::FillRecentMenu() {
  RecentMenu->clear();
  const QStringList files = recent_->Files();
  if (files.isEmpty()) RecentMenu->addAction(QStringLiteral("Noch kein Menü geöffnet"))->setEnabled(false);
  for (int i = 0; i < files.size(); ++i) {
    // "&1 site.nff  (/home/anna/site/)": the number is the key in the open list.
    const QFileInfo info(files[i]);
    QString shown = QStringLiteral("&%1 %2  (%3)").arg(i + 1).arg(info.fileName(), QDir::toNativeSeparators(info.path()));
    QAction* action = RecentMenu->addAction(shown);
    action->setData(files[i]);
    connect(action, &QAction::triggered, this, [this, file = files[i]] { OpenMenuFile(PathFromQ(file)); });
  }
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
  // Alt+Down (or F4) opens a button's drop-down, as it opens a combo box's.
  if (event->type() == QEvent::KeyPress && watched == TBToolbar1->widgetForAction(BtnOpen)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) || key->key() == Qt::Key_F4) {
      static_cast<QToolButton*>(watched)->showMenu();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Tmainform::BtnSaveClick() { SaveMenu(); }
void Tmainform::BtnSaveAsClick() { SaveMenuAs(); }

bool Tmainform::SaveMenu() {
  if (CurrentFile.empty()) return SaveMenuAs();
  return Guard([&] {
    RecordFormatting();
    SetSettings();
    MenuDoc->SaveToFile(CurrentFile);
    History->setClean();
    recent_->Add(PathToQ(CurrentFile));
  });
}

bool Tmainform::SaveMenuAs() {
  bool saved = false;
  Guard([&] {
    SaveDialog1.DefaultExt = "nff";
    SaveDialog1.Filter = std::string(kMenuFilter) + ";";
    SaveDialog1.FileName = CurrentFile;
    if (!dialogs_->ExecuteSave(SaveDialog1)) return;
    std::string chosen = SaveDialog1.FileName;
    if (FileExists(chosen)) {
      std::string question = "Soll die bereits existierende Datei \"" + PathAsText(ExtractFileName(chosen)) +
                             "\" überschrieben werden?"_cp1252;
      if (dialogs_->Confirm("Bestätigung"_cp1252, question) != TConfirmAnswer::Yes) return;
    }
    RecordFormatting();
    SetSettings();
    CurrentFile = chosen;
    MenuDoc->SaveToFile(CurrentFile);
    History->setClean();
    ApplyTitleRule();
    recent_->Add(PathToQ(CurrentFile));
    saved = true;
    emit StateChanged();  // a relative output file name now lies beside the new menu file
  });
  return saved;
}

void Tmainform::TBItem5Click() {
  GenerateResult->hide();
  Guard([&] {
    SetSettings();
    MenuDoc->MenuFile = CurrentFile;
    RunOptions run;
    run.OnPageWritten = PageWritten;
    const RunResult result = MenuDoc->Generate(run);
    if (result.Ok) ShowGenerated(static_cast<int>(result.Stats.Pages), PageFile(ExtractFilePath(CurrentFile), MenuDoc->Filename));
  });
}

// "3 Seiten in „beispiel“ – Öffnen": the count, the folder's name and the main page in
// the browser by the link. Where the toolbar leaves less room, the name gives way and
// then the folder, which the hint always names whole.
void Tmainform::ShowGenerated(int pages, const std::string& mainPage) {
  namespace fs = std::filesystem;
  const fs::path page = fs::absolute(fs::path(mainPage)).lexically_normal();
  const QString folder = PathToQ(page.parent_path().string());
  const QString count = pages == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(pages);
  PlaceGenerateResult();
  const QFontMetrics metrics(GenerateResult->font());
  const int room = GenerateResult->width() - metrics.horizontalAdvance(count + QStringLiteral(" in „“ – Öffnen"));
  const QString name = metrics.elidedText(QFileInfo(folder).fileName(), Qt::ElideMiddle, std::max(room, 0));
  // A name cut down to "…" alone tells nothing.
  const QString where = name.isEmpty() || name == QString(QChar(0x2026))
                            ? QString()
                            : QStringLiteral(" in „%1“").arg(name.toHtmlEscaped());
  const QString url = QUrl::fromLocalFile(PathToQ(page.string())).toString(QUrl::FullyEncoded);
  GenerateResult->setText(count + where + QStringLiteral(" – <a href=\"%1\">Öffnen</a>").arg(url.toHtmlEscaped()));
  GenerateResult->setToolTip(folder);
  GenerateResult->show();
}

void Tmainform::PlaceGenerateResult() {
  TBToolbar1->layout()->activate();
  int used = 0;
  for (QAction* action : TBToolbar1->actions()) {
    QWidget* button = TBToolbar1->widgetForAction(action);
    if (!action->isVisible() || !button) continue;
    const QRect r = button->geometry();
    used = std::max(used, isRightToLeft() ? TBToolbar1->width() - r.left() : r.right() + 1);
  }
  const int left = TBToolbar1->x() + used + 4;
  const int width = TBDock1->width() - left - 4;
  GenerateResult->setGeometry(isRightToLeft() ? TBDock1->width() - left - width : left, 1, width, TBDock1->height() - 2);
}
void Tmainform::TBItem6Click() {
  Guard([&] { ShowVersionControlDialog(qApp, "", "", "navforge", ""); });
}

void Tmainform::TBItem7Click() {
  Guard([&] { ShowAboutDialog(qApp, AppTitle + " " + NAVFORGE_PRODUCT_VERSION, "", "", "", 0); });
}

// Refused rather than stored with "?", which would name a file that does not exist.
bool Tmainform::StoredText(const std::string& path, std::string& text) {
  if (StoredPathFromFs(path, text)) return true;
  dialogs_->Message(ApplicationTitle(),
                    "Der Pfad " + PathAsText(path) +
                        " enthält Zeichen, die eine Menüdatei nicht speichern kann (nur Zeichen aus "
                        "Windows-1252). Bitte wählen Sie eine Datei, deren Pfad nur solche Zeichen enthält."_cp1252);
  return false;
}

void Tmainform::Button1Click() { BrowseRelativeToOutput(kImageFilter, picfile); }

void Tmainform::Button2Click() {
  Guard([&] {
    SaveDialog1.DefaultExt = "htm";
    SaveDialog1.Filter = kHtmlFilter;
    if (!dialogs_->ExecuteSave(SaveDialog1)) return;
    std::string name;
    if (StoredText(SaveDialog1.FileName, name)) efilename->SetText(name);
  });
}

// The link and the background image browse alike: a chosen file, relative to the
// folder the pages are written to when an output file is set, with "/" separators.
void Tmainform::BrowseRelativeToOutput(const char* filter, TEdit* target) {
  Guard([&] {
    OpenDialog1.Filter = filter;
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    const std::string& chosen = OpenDialog1.FileName;
    const std::string path = efilename->text().isEmpty() ? chosen : MakeRelativePath(OutputFolder(), chosen);
    std::string text;
    if (!StoredText(path, text)) return;
    ReplaceAll(text, "\\", "/", true);
    target->SetText(text);
  });
}

// A relative output name lies beside the menu file, as generation takes it (beside the
// current folder for a menu never saved); a name written for another system ("C:\...")
// is kept as it reads.
std::string Tmainform::OutputFolder() const {
  namespace fs = std::filesystem;
  const std::string output = efilename->Text();
  const bool rooted = !output.empty() && (output[0] == '/' || output[0] == '\\' || (output.size() > 1 && output[1] == ':'));
  if (rooted) return ExtractFilePath(StoredPathToFs(output));
  fs::path page = PageFile(ExtractFilePath(CurrentFile), output);
  if (page.is_relative()) page = fs::current_path() / page;
  return page.lexically_normal().parent_path().string() + "/";
}

}  // namespace navforge
