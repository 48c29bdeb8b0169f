// The main toolbar and the commands on the whole menu: new, open, save, save as,
// generate, version control and info (check and "In Seiten einsetzen" add their own);
// the two browse buttons of "Allgemein"; the window caption they keep.
#include <QApplication>
#include <QTableWidget>
#include <QToolBar>

#include "navforge_version.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
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
#include "ui/relpath.h"

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

void Tmainform::CreateMainToolbar() {
  TBToolbar1 = MakeToolbar(this, "TBToolbar1", "TBDock1", 0, 0, width(), true);
  TBDock1 = TBToolbar1->parentWidget();
  BtnExit = AddCommand(TBToolbar1, "BtnExit", "exit", "Programm beenden", &Tmainform::applicationend);
  TBSeparatorItem1 = AddSeparator(TBToolbar1, "TBSeparatorItem1");
  BtnNew = AddCommand(TBToolbar1, "BtnNew", "new", "Neu", &Tmainform::BtnNewClick);
  BtnOpen = AddCommand(TBToolbar1, "BtnOpen", "open", "Öffnen..."_cp1252, &Tmainform::BtnOpenClick);
  BtnSave = AddCommand(TBToolbar1, "BtnSave", "save", "Speichern", &Tmainform::BtnSaveClick);
  BtnSaveAs = AddCommand(TBToolbar1, "BtnSaveAs", "saveas", "Speichern unter...", &Tmainform::BtnSaveAsClick);
  TBSeparatorItem2 = AddSeparator(TBToolbar1, "TBSeparatorItem2");
  TBItem5 = AddCommand(TBToolbar1, "TBItem5", "generate", "HTML Menü erstellen"_cp1252, &Tmainform::TBItem5Click);
  AddCheckCommand(*this, TBToolbar1);
  AddApplyCommand(*this, TBToolbar1);
  TBSeparatorItem3 = AddSeparator(TBToolbar1, "TBSeparatorItem3");
  TBItem6 = AddCommand(TBToolbar1, "TBItem6", "version", "Versionskontrolle", &Tmainform::TBItem6Click);
  TBSeparatorItem4 = AddSeparator(TBToolbar1, "TBSeparatorItem4");
  TBItem7 = AddCommand(TBToolbar1, "TBItem7", "info", "Info", &Tmainform::TBItem7Click);
  SetShowHint(TBToolbar1, true);
}

void Tmainform::ApplyTitleRule() {
  SetApplicationTitle(TitleFor(CurrentFile, AppTitle));
  // The caption shows the file name whole, whatever characters it holds.
  setWindowTitle(CurrentFile.empty() ? ToQ(AppTitle)
                                     : PathToQ(ExtractFileName(CurrentFile)) + QStringLiteral(" - ") + ToQ(AppTitle));
}

bool Tmainform::UnsavedChangesHandled() {
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
    CurrentFile.clear();
    setWindowTitle(ToQ(AppTitle));
    SetApplicationTitle(AppTitle);
    Modified = false;
  });
}

void Tmainform::BtnOpenClick() {
  if (!UnsavedChangesHandled()) return;
  Guard([&] {
    OpenDialog1.Filter = kMenuFilter;
    OpenDialog1.FileName.clear();
    OpenDialog1.InitialDir = ExtractFilePath(CurrentFile);
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    std::string chosen = OpenDialog1.FileName;
    // A fresh document, so nothing of the previous menu mixes in; it replaces the
    // current one only when the whole file was read.
    std::unique_ptr<TovHTML> loaded = NewDocument();
    loaded->LoadFromFile(chosen);
    MenuDoc = std::move(loaded);
    CurrentFile = chosen;
    FillItemList();
    FillGrid();
    GetSettings();
    ApplyTitleRule();
    Modified = false;
  });
}

void Tmainform::BtnSaveClick() { SaveMenu(); }
void Tmainform::BtnSaveAsClick() { SaveMenuAs(); }

bool Tmainform::SaveMenu() {
  if (CurrentFile.empty()) return SaveMenuAs();
  return Guard([&] {
    SetSettings();
    MenuDoc->SaveToFile(CurrentFile);
    Modified = false;
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
    SetSettings();
    CurrentFile = chosen;
    MenuDoc->SaveToFile(CurrentFile);
    ApplyTitleRule();
    Modified = false;
    saved = true;
    emit StateChanged();  // a relative output file name now lies beside the new menu file
  });
  return saved;
}

void Tmainform::TBItem5Click() {
  Guard([&] {
    SetSettings();
    MenuDoc->MenuFile = CurrentFile;
    RunOptions run;
    run.OnPageWritten = PageWritten;
    MenuDoc->Generate(run);
  });
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
// output file's folder when one is set, with "/" separators.
void Tmainform::BrowseRelativeToOutput(const char* filter, TEdit* target) {
  Guard([&] {
    OpenDialog1.Filter = filter;
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    const std::string& chosen = OpenDialog1.FileName;
    const std::string output = efilename->Text();
    // The output name is a stored text; the chosen file and the folder it is seen
    // from are file-system names until the result becomes a stored text again.
    const std::string path =
        output.empty() ? chosen : MakeRelativePath(ExtractFilePath(StoredPathToFs(output)), chosen);
    std::string text;
    if (!StoredText(path, text)) return;
    ReplaceAll(text, "\\", "/", true);
    target->SetText(text);
  });
}

}  // namespace navforge
