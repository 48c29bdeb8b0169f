#pragma once
// The one window of the program: the entry list and its editor, the formatting and
// variables pages, the main toolbar and every command behind them. Commands work on
// MenuDoc; an error that reaches a command ends it and is shown in a message box.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/menudocument.h"
#include "extdlg/modules.h"
#include "support/notifier.h"
#include "ui/dialogs.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QToolBar;

namespace navforge {

class TColorPanel;
class TEdit;

// Where the window finds its surroundings; tests point everything at temporary folders.
struct TMainformOptions {
  std::string ProgramFolder;  // with a trailing "/"; empty: the running program's folder
  std::string VariablesFile;  // empty: as support/locations.h decides for ProgramFolder
  std::optional<TModuleFolders> ModuleFolders;  // empty: the shared folder and the program folder
  IDialogs* Dialogs = nullptr;                  // not owned; nullptr: Qt's own dialogs
};

// The application title (task bar text); the program sets "HTML Navforge" before it
// creates the window, and Open and Save As change it.
std::string ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// The window caption and application title for a menu file (the title rule).
std::string TitleFor(const std::string& currentFile, const std::string& appTitle);

class Tmainform : public QWidget {
  Q_OBJECT
public:
  explicit Tmainform(TMainformOptions options = {});
  ~Tmainform() override;

  // Window-level state.
  std::unique_ptr<TovHTML> MenuDoc;
  std::string CurrentFile;  // Windows-1252, like every path inside the program
  std::string AppTitle;     // Windows-1252
  // Set by every change of the entries, the variables or a formatting control; cleared
  // by New, Open, Save and Save As. Exit, the close box, New and Open ask first.
  bool Modified = false;
  // Told of every page "HTML Menü erstellen" writes (empty: no one listens).
  std::function<void(const std::string&)> PageWritten;

  void GetSettings();
  void SetSettings();
  // The formatting controls' values into doc, as SetSettings copies them into MenuDoc.
  void SettingsInto(TovHTML& doc) const;
  void SetColor(TColorPanel* panel, std::int32_t color);
  void GetTemplates(QComboBox* list);

  // Controls, named as their objectName.
  QWidget* TBDock1 = nullptr;
  QToolBar* TBToolbar1 = nullptr;
  QAction *BtnExit = nullptr, *BtnNew = nullptr, *BtnOpen = nullptr, *BtnSave = nullptr, *BtnSaveAs = nullptr;
  QAction *TBItem5 = nullptr, *TBItem6 = nullptr, *TBItem7 = nullptr;
  QAction *TBSeparatorItem1 = nullptr, *TBSeparatorItem2 = nullptr, *TBSeparatorItem3 = nullptr,
          *TBSeparatorItem4 = nullptr;
  QFrame* Panel8 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget *TabSheet1 = nullptr, *TabSheet4 = nullptr, *TabSheet2 = nullptr;
  // Page "Menü".
  QListWidget* ListBox1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QToolBar* TBToolbar2 = nullptr;
  QAction *TBItem8 = nullptr, *TBItem9 = nullptr, *TBItem10 = nullptr, *TBItem15 = nullptr, *TBItem11 = nullptr,
          *TBItem12 = nullptr, *TBItem13 = nullptr, *TBItem14 = nullptr;
  QAction* TBItemImport = nullptr;  // "Seiten importieren..." (ui/importdialog.cpp)
  TEdit *menuname = nullptr, *menulink = nullptr, *linktarget = nullptr;
  QPushButton *FlatButton1 = nullptr, *FlatButton2 = nullptr;
  // Page "Formatierung".
  QFrame* Panel100 = nullptr;
  QTabWidget* PageControl2 = nullptr;
  QWidget *TabSheet3 = nullptr, *TabSheet5 = nullptr, *TabSheet6 = nullptr;
  QComboBox* cbfont = nullptr;
  TEdit *menufont = nullptr, *menufontsize = nullptr, *submenufont = nullptr, *ufontsize = nullptr,
        *leftmar = nullptr, *picfile = nullptr, *titlename = nullptr, *efilename = nullptr, *feedit = nullptr,
        *hrline = nullptr;
  QComboBox* cbTemplates = nullptr;
  TColorPanel *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr, *Panel5 = nullptr,
              *Panel6 = nullptr, *Panel7 = nullptr;
  QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button4 = nullptr, *Button6 = nullptr, *Button7 = nullptr,
              *Button8 = nullptr, *Button9 = nullptr, *Button10 = nullptr, *Button11 = nullptr;
  // Page "Variablen".
  QToolBar* TBToolbar3 = nullptr;
  QAction *TBItem16 = nullptr, *TBItem17 = nullptr, *TBItem18 = nullptr, *TBItem19 = nullptr, *TBItem20 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  TEdit *Edit1 = nullptr, *Edit2 = nullptr;
  // Page "Debug".
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button5 = nullptr;

  TFileDialog OpenDialog1;
  TFileDialog SaveDialog1;

signals:
  // The entries, the variables or a formatting control changed, or another menu shows.
  void StateChanged();

public slots:
  void applicationend();
  void Button5Click();
  // Menu editor.
  void ListBox1Click();
  void TBItem8Click();
  void TBItem9Click();
  void TBItem10Click();
  void TBItem15Click();
  void TBItem11Click();
  void TBItem12Click();
  void TBItem13Click();
  void TBItem14Click();
  void Button12Click();
  void Button3Click();
  void ImportPagesClick();
  // Formatting and variables.
  void colorclick(TColorPanel* sender);
  void Button10Click();
  void Button11Click();
  void Button4Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button9Click();
  void Fontclick(TEdit* sender);
  void StringGrid1Click();
  void TBItem16Click();
  void TBItem17Click();
  void TBItem18Click();
  void TBItem19Click();
  void TBItem20Click();
  // File and generate.
  void BtnNewClick();
  void BtnOpenClick();
  void BtnSaveClick();
  void BtnSaveAsClick();
  void TBItem5Click();
  void TBItem6Click();
  void TBItem7Click();
  void Button1Click();
  void Button2Click();

public:
  // The selected entry line, -1 for none; selecting by a command fills no edit box.
  int SelectedIndex() const;
  void SelectIndex(int index);
  // The variables grid's selected row, header row 0 included as in the core's grid.
  int GridRow() const;
  void SetGridRow(int row);
  // For commands added from outside the form: its dialogs, and the guard its own
  // commands run in (an error that escapes ends the command and is shown; false).
  IDialogs& Dialogs() const { return *dialogs_; }
  bool Guard(const std::function<void()>& command);

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  class TFormNotifier : public INotifier {
  public:
    explicit TFormNotifier(Tmainform& form) : form_(form) {}
    void ShowMessage(const std::string& text) override;
  private:
    Tmainform& form_;
  };

  using Handler = void (Tmainform::*)();

  void OnCreate();
  void OnDestroy();
  // Each builds its part of the window and wires its commands.
  void CreateMainToolbar();
  void CreateMenuPage();
  void CreateFormatPage();
  void CreateGeneralPage();
  void CreateLinkColorsPage();
  void CreateVariablesPage();
  void CreateDebugPage();
  // A toolbar command with its glyph and hint, connected to its handler.
  QAction* AddCommand(QToolBar* bar, const char* name, const char* glyph, const std::string& hint, Handler handler);
  QAction* AddSeparator(QToolBar* bar, const char* name);
  TEdit* AddEdit(QWidget* parent, const char* name, int left, int top, int width, const std::string& hint);
  QLabel* AddLabel(QWidget* parent, const char* name, int left, int top, const std::string& caption);
  QPushButton* AddButton(QWidget* parent, const char* name, int left, int top, int width,
                         const std::string& caption, Handler handler);
  TColorPanel* AddSwatch(QWidget* parent, const char* name, int left, int top);
  void FillItemList();
  void FillGrid();
  void ApplyTitleRule();
  // A change of a formatting control by the user or a command marks the menu modified.
  void WatchFormattingControls();
  // With unsaved changes, asks whether to save them first; false: the command stops.
  bool UnsavedChangesHandled();
  // Save and Save As; false when cancelled or failed.
  bool SaveMenu();
  bool SaveMenuAs();
  void AddEntry(bool subItem);
  // The selected entry's command: op(sel), refill, then select reselect(sel, count);
  // does nothing without a selection.
  template <typename Op, typename Reselect> void EntryCommand(Op op, Reselect reselect);
  // A variables command: op(variables, index of the grid's row), then redraw the grid.
  template <typename Op> void VariablesCommand(Op op);
  // A chosen file's path into target, relative to the output file's folder when one is set.
  void BrowseRelativeToOutput(const char* filter, TEdit* target);
  // A chosen file-system path as the stored text it becomes (link, image, output file,
  // site folder); false, after a message, when Windows-1252 cannot hold it.
  bool StoredText(const std::string& path, std::string& text);
  void ShowError(const std::string& text);
  std::unique_ptr<TovHTML> NewDocument() const;

  TMainformOptions options_;
  std::string programFolder_;
  std::unique_ptr<IDialogs> ownDialogs_;
  IDialogs* dialogs_;
  TFormNotifier notifier_;
  std::unique_ptr<ScopedNotifier> notifierScope_;
  bool centred_ = false;
  bool showingSettings_ = false;  // GetSettings is filling the controls
  // The document's Template as GetSettings found it, kept while the selector shows no
  // other choice, so a set that is not installed is not lost on Save.
  std::string shownTemplate_;
  int shownTemplateIndex_ = -1;
};

}  // namespace navforge
