// Start-up, shutdown and every command of the window.
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <exception>
#include <vector>

#include "navforge_version.h"
#include "support/errors.h"
#include "support/folders.h"
#include "support/fsname.h"
#include "support/locations.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/relpath.h"
#include "ui/widgets.h"

namespace navforge {
namespace {

std::string& AppTitleStore() {
  static std::string title;
  return title;
}

const char* const kMenuFilter = "Navforge File (*.nff)|*.nff";
const char* const kHtmlFilter = "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*";
const char* const kImageFilter = "GIF (*.gif)|*.gif|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg";

// A file-system name for a message or a title ("?" for what Windows-1252 lacks).
std::string PathAsText(const std::string& path) { return FromQ(PathToQ(path)); }

// A chosen path that becomes a stored text (link, background image, output file):
// false, after a message, when Windows-1252 cannot hold it, for it would be stored
// with "?" and name a file that does not exist.
bool StoredText(const std::string& path, std::string& text, IDialogs& dialogs) {
  if (StoredPathFromFs(path, text)) return true;
  dialogs.Message(ApplicationTitle(),
                  "Der Pfad " + PathAsText(path) +
                      " enth\xE4lt Zeichen, die eine Men\xFC" "datei nicht speichern kann (nur Zeichen aus "
                      "Windows-1252). Bitte w\xE4hlen Sie eine Datei, deren Pfad nur solche Zeichen enth\xE4lt.");
  return false;
}

// A chosen file as seen from the output file's folder, as a stored text with "/".
bool RelativeToOutput(const std::string& chosen, const std::string& output, std::string& text, IDialogs& dialogs) {
  const std::string path = output.empty() ? chosen : MakeRelativePath(ExtractFilePath(StoredPathToFs(output)), chosen);
  if (!StoredText(path, text, dialogs)) return false;
  ReplaceAll(text, "\\", "/", true);
  return true;
}

}  // namespace

std::string ApplicationTitle() { return AppTitleStore(); }
void SetApplicationTitle(const std::string& title) { AppTitleStore() = title; }

std::string TitleFor(const std::string& currentFile, const std::string& appTitle) {
  if (currentFile.empty()) return appTitle;
  return PathAsText(ExtractFileName(currentFile)) + " - " + appTitle;
}

void Tmainform::TFormNotifier::ShowMessage(const std::string& text) {
  form_.dialogs_->Message(ApplicationTitle(), text);
}

template <typename F> void Tmainform::Guard(F&& command) {
  try {
    command();
  } catch (const ENavforgeError& e) {
    ShowError(FromQ(QString::fromStdString(e.Utf8())));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void Tmainform::ShowError(const std::string& text) { dialogs_->Message(ApplicationTitle(), text); }

std::unique_ptr<TovHTML> Tmainform::NewDocument() const {
  auto doc = std::make_unique<TovHTML>();
  if (!options_.ProgramFolder.empty()) {
    const TLocations places = LocationsFor(programFolder_);
    doc->TemplateRoot = places.TemplateRoot;
    doc->UserTemplateRoot = places.UserTemplateRoot;
    doc->VariablesFile = places.VariablesFile;
    doc->ShippedVariables = places.ShippedVariables;
  }
  if (!options_.VariablesFile.empty()) {
    doc->VariablesFile = options_.VariablesFile;
    doc->ShippedVariables.clear();
  }
  return doc;
}

// ---- Start-up and shutdown ----

void Tmainform::OnCreate() {
  for (TEdit* edit : {titlename, menufont, menufontsize, submenufont, ufontsize, leftmar, picfile, efilename, hrline, feedit})
    connect(edit, &QLineEdit::textChanged, this, &Tmainform::StateChanged);
  connect(cbTemplates, &QComboBox::currentIndexChanged, this, &Tmainform::StateChanged);
  PageControl1->setCurrentWidget(TabSheet1);
  AppTitle = ApplicationTitle();
  setWindowTitle(ToQ(AppTitle));
  cbfont->clear();
  cbfont->addItems(QFontDatabase::families());
  cbfont->setCurrentIndex(-1);  // the box starts with no font chosen
  // A damaged registry file (a value of the wrong kind) is shown like any other error;
  // the window still opens, without the modules of the shared folder.
  TModuleFolders folders{std::string(), programFolder_};
  if (options_.ModuleFolders)
    folders = *options_.ModuleFolders;
  else
    Guard([&] { folders = DefaultModuleFolders(); });
  LoadAboutModule(folders);
  const bool version = LoadVersionModule(folders);
  TBItem6->setVisible(version);
  TBSeparatorItem3->setVisible(version);
  MenuDoc = NewDocument();
  GetTemplates(cbTemplates);
  TStringGridCells cells(StringGrid1);
  cells.SetCell(0, 0, "Variable");
  cells.SetCell(1, 0, "Wert");
  SetGridRow(1);
  CurrentFile.clear();
}

void Tmainform::OnDestroy() {
  ReleaseModules();
  MenuDoc.reset();
}

void Tmainform::GetTemplates(QComboBox* list) {
  list->clear();
  for (const std::string& name : ListTemplateSets(MenuDoc->TemplateRoot, MenuDoc->UserTemplateRoot))
    list->addItem(PathToQ(name));
  list->setCurrentIndex(-1);
}

void Tmainform::applicationend() { close(); }

void Tmainform::Button5Click() {
  Guard([&] {
    TMemoLines lines(Memo1);
    MenuDoc->DumpItems(lines);
  });
}

// ---- Selection helpers ----

int Tmainform::SelectedIndex() const {
  QList<QListWidgetItem*> items = ListBox1->selectedItems();
  return items.isEmpty() ? -1 : ListBox1->row(items.first());
}

void Tmainform::SelectIndex(int index) {
  QSignalBlocker block(ListBox1);
  if (index < 0 || index >= ListBox1->count()) {
    ListBox1->clearSelection();
    ListBox1->setCurrentRow(-1);
  } else {
    ListBox1->setCurrentRow(index);
  }
}

int Tmainform::GridRow() const { return StringGrid1->currentRow() + 1; }

void Tmainform::SetGridRow(int row) {
  QSignalBlocker block(StringGrid1);
  if (row >= 1 && row <= StringGrid1->rowCount()) StringGrid1->setCurrentCell(row - 1, 0);
}

void Tmainform::FillItemList() {
  QSignalBlocker block(ListBox1);
  TListBoxLines lines(ListBox1);
  MenuDoc->FillItemList(lines);
  ListBox1->setCurrentRow(-1);
  emit StateChanged();  // every command that changes entries shows them anew here
}

void Tmainform::FillGrid() {
  int row = GridRow();
  {
    QSignalBlocker block(StringGrid1);
    TStringGridCells cells(StringGrid1);
    MenuDoc->Variables.FillGrid(cells);
  }
  // The row number stays; past the end it is the last row, as the grid keeps it.
  SetGridRow(row < 1 ? 1 : std::min(row, StringGrid1->rowCount()));
  emit StateChanged();  // likewise every change of the variables
}

// ---- Menu editor ----

void Tmainform::ListBox1Click() {
  Guard([&] {
    int sel = SelectedIndex();
    std::string caption, link, target;
    if (sel >= 0) MenuDoc->GetItem(sel, caption, link, target);
    menuname->SetText(caption);
    menulink->SetText(link);
    linktarget->SetText(target);
  });
}

void Tmainform::AddEntry(bool subItem) {
  Guard([&] {
    if (menuname->text().isEmpty() || menulink->text().isEmpty() || linktarget->text().isEmpty()) return;
    int sel = SelectedIndex();
    MenuDoc->InsertItem(sel, menuname->Text(), menulink->Text(), linktarget->Text(), subItem);
    FillItemList();
    SelectIndex(sel);
  });
}

void Tmainform::TBItem8Click() { AddEntry(false); }
void Tmainform::TBItem9Click() { AddEntry(true); }

void Tmainform::TBItem10Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    MenuDoc->SetItem(sel, menuname->Text(), menulink->Text(), linktarget->Text());
    FillItemList();
    SelectIndex(sel);
  });
}

void Tmainform::TBItem15Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    MenuDoc->DeleteItem(sel);
    FillItemList();
  });
}

void Tmainform::TBItem11Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    MenuDoc->MoveItemUp(sel);
    FillItemList();
    SelectIndex(sel > 0 ? sel - 1 : 0);
  });
}

void Tmainform::TBItem12Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    MenuDoc->MoveItemDown(sel);
    FillItemList();
    int count = ListBox1->count();
    SelectIndex(sel < count - 1 ? sel + 1 : count - 1);
  });
}

void Tmainform::TBItem13Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    MenuDoc->SetSubItem(sel, false);
    FillItemList();
    SelectIndex(sel);
  });
}

void Tmainform::TBItem14Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    MenuDoc->SetSubItem(sel, true);
    FillItemList();
    SelectIndex(sel);
  });
}

void Tmainform::Button12Click() { SelectIndex(-1); }

void Tmainform::Button3Click() {
  Guard([&] {
    OpenDialog1.Filter = kHtmlFilter;
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    std::string link;
    if (RelativeToOutput(OpenDialog1.FileName, efilename->Text(), link, *dialogs_)) menulink->SetText(link);
  });
}

// ---- Formatting ----

void Tmainform::SetColor(TColorPanel* Panel, std::int32_t Color) {
  Panel->setText(Color == clNone ? QStringLiteral("n/a") : QString());
  Panel->SetColor(Color);
  emit StateChanged();
}

void Tmainform::GetSettings() {
  SetColor(Panel1, MenuDoc->TextColor);
  SetColor(Panel2, MenuDoc->BackgroundColor);
  SetColor(Panel3, MenuDoc->LinkColor);
  SetColor(Panel5, MenuDoc->ALinkColor);
  SetColor(Panel4, MenuDoc->VLinkColor);
  SetColor(Panel6, MenuDoc->HoverColor);
  SetColor(Panel7, MenuDoc->FirstLetterColor);
  titlename->SetText(MenuDoc->Title);
  menufont->SetText(MenuDoc->Font);
  menufontsize->SetText(MenuDoc->FontSize);
  submenufont->SetText(MenuDoc->SubmenuFont);
  ufontsize->SetText(MenuDoc->SubmenuFontSize);
  leftmar->SetText(MenuDoc->SubmenuLeftMargin);
  picfile->SetText(MenuDoc->BackgroundImage);
  // A set that is not in the list leaves the selector empty.
  cbTemplates->setCurrentIndex(cbTemplates->findText(ToQ(MenuDoc->Template), Qt::MatchExactly | Qt::MatchCaseSensitive));
  efilename->SetText(MenuDoc->Filename);
  hrline->SetText(MenuDoc->hr);
  feedit->SetText(MenuDoc->fileext);
}

void Tmainform::SetSettings() { SettingsInto(*MenuDoc); }

void Tmainform::SettingsInto(TovHTML& doc) const {
  doc.TextColor = Panel1->Color();
  doc.BackgroundColor = Panel2->Color();
  doc.LinkColor = Panel3->Color();
  doc.ALinkColor = Panel5->Color();
  doc.VLinkColor = Panel4->Color();
  doc.HoverColor = Panel6->Color();
  doc.FirstLetterColor = Panel7->Color();
  doc.Title = titlename->Text();
  doc.Font = menufont->Text();
  doc.FontSize = menufontsize->Text();
  doc.SubmenuFont = submenufont->Text();
  doc.SubmenuFontSize = ufontsize->Text();
  doc.SubmenuLeftMargin = leftmar->Text();
  doc.BackgroundImage = picfile->Text();
  doc.Template = cbTemplates->currentIndex() < 0 ? std::string() : FromQ(cbTemplates->currentText());
  doc.Filename = efilename->Text();
  doc.hr = hrline->Text();
  doc.fileext = feedit->Text();
}

void Tmainform::colorclick(TColorPanel* Sender) {
  Guard([&] {
    std::int32_t color = Sender->Color();
    if (!dialogs_->ExecuteColor(color)) return;
    Sender->SetColor(color);
    Sender->setText(QString());
    emit StateChanged();
  });
}

void Tmainform::Button10Click() { SetColor(Panel1, clNone); }
void Tmainform::Button11Click() { SetColor(Panel2, clNone); }
void Tmainform::Button4Click() { SetColor(Panel3, clNone); }
void Tmainform::Button6Click() { SetColor(Panel7, clNone); }
void Tmainform::Button7Click() { SetColor(Panel4, clNone); }
void Tmainform::Button8Click() { SetColor(Panel5, clNone); }
void Tmainform::Button9Click() { SetColor(Panel6, clNone); }

void Tmainform::Fontclick(TEdit* Sender) { Sender->setText(Sender->text() + cbfont->currentText()); }

// ---- Variables ----

void Tmainform::StringGrid1Click() {
  Guard([&] {
    int index = GridRow() - 1;
    // The blank row of an empty list names no variable: the boxes keep their texts.
    if (index < 0 || index >= static_cast<int>(MenuDoc->Variables.Vars.size())) return;
    Edit1->SetText(MenuDoc->Variables.Vars[static_cast<std::size_t>(index)].Name);
    Edit2->SetText(MenuDoc->Variables.Vars[static_cast<std::size_t>(index)].Value);
  });
}

void Tmainform::TBItem16Click() {
  Guard([&] {
    MenuDoc->Variables.AddVariable(Edit1->Text(), Edit2->Text());
    FillGrid();
  });
}

void Tmainform::TBItem17Click() {
  Guard([&] {
    MenuDoc->Variables.SetVariable(GridRow() - 1, Edit1->Text(), Edit2->Text());
    FillGrid();
  });
}

void Tmainform::TBItem18Click() {
  Guard([&] {
    MenuDoc->Variables.DeleteVariable(GridRow() - 1);
    FillGrid();
  });
}

void Tmainform::TBItem19Click() {
  Guard([&] {
    MenuDoc->Variables.MoveVariableUp(GridRow() - 1);
    FillGrid();
  });
}

void Tmainform::TBItem20Click() {
  Guard([&] {
    MenuDoc->Variables.MoveVariableDown(GridRow() - 1);
    FillGrid();
  });
}

// ---- File and generate ----

void Tmainform::ApplyTitleRule() {
  SetApplicationTitle(TitleFor(CurrentFile, AppTitle));
  // The caption shows the file name whole, whatever characters it holds.
  setWindowTitle(CurrentFile.empty() ? ToQ(AppTitle)
                                     : PathToQ(ExtractFileName(CurrentFile)) + QStringLiteral(" - ") + ToQ(AppTitle));
}

void Tmainform::BtnNewClick() {
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
  });
}

void Tmainform::BtnOpenClick() {
  Guard([&] {
    OpenDialog1.Filter = kMenuFilter;
    OpenDialog1.FileName.clear();
    OpenDialog1.InitialDir = ExtractFilePath(CurrentFile);
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    std::string chosen = OpenDialog1.FileName;
    // A fresh document, so nothing of the previous menu mixes in; it replaces the
    // current one only when the whole file was read.
    std::unique_ptr<TovHTML> loaded = NewDocument();
    loaded->OnPageWritten = MenuDoc->OnPageWritten;
    loaded->LoadFromFile(chosen);
    MenuDoc = std::move(loaded);
    CurrentFile = chosen;
    FillItemList();
    FillGrid();
    GetSettings();
    ApplyTitleRule();
  });
}

void Tmainform::BtnSaveClick() {
  if (CurrentFile.empty()) {
    BtnSaveAsClick();
    return;
  }
  Guard([&] {
    SetSettings();
    MenuDoc->SaveToFile(CurrentFile);
  });
}

void Tmainform::BtnSaveAsClick() {
  Guard([&] {
    SaveDialog1.DefaultExt = "nff";
    SaveDialog1.Filter = std::string(kMenuFilter) + ";";
    SaveDialog1.FileName = CurrentFile;
    if (!dialogs_->ExecuteSave(SaveDialog1)) return;
    std::string chosen = SaveDialog1.FileName;
    if (FileExists(chosen)) {
      std::string question = "Soll die bereits existierende Datei \"" + PathAsText(ExtractFileName(chosen)) +
                             "\" \xFC" "berschrieben werden?";
      if (dialogs_->Confirm("Best\xE4tigung", question) != TConfirmAnswer::Yes) return;
    }
    SetSettings();
    CurrentFile = chosen;
    MenuDoc->SaveToFile(CurrentFile);
    ApplyTitleRule();
    emit StateChanged();  // a relative output file name now lies beside the new menu file
  });
}

void Tmainform::TBItem5Click() {
  Guard([&] {
    SetSettings();
    MenuDoc->MenuFile = CurrentFile;
    MenuDoc->Generate();
  });
}

void Tmainform::TBItem6Click() {
  Guard([&] { ShowVersionControlDialog(qApp, "", "", "navforge", ""); });
}

void Tmainform::TBItem7Click() {
  Guard([&] { ShowAboutDialog(qApp, AppTitle + " " + NAVFORGE_PRODUCT_VERSION, "", "", "", 0); });
}

void Tmainform::Button1Click() {
  Guard([&] {
    OpenDialog1.Filter = kImageFilter;
    if (!dialogs_->ExecuteOpen(OpenDialog1)) return;
    std::string path;
    if (RelativeToOutput(OpenDialog1.FileName, efilename->Text(), path, *dialogs_)) picfile->SetText(path);
  });
}

void Tmainform::Button2Click() {
  Guard([&] {
    SaveDialog1.DefaultExt = "htm";
    SaveDialog1.Filter = kHtmlFilter;
    if (!dialogs_->ExecuteSave(SaveDialog1)) return;
    std::string name;
    if (StoredText(SaveDialog1.FileName, name, *dialogs_)) efilename->SetText(name);
  });
}

}  // namespace navforge
