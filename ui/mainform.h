#pragma once
// The one window of the program: the entry list and its editor, the formatting and
// variables pages, the main toolbar and every command behind them. Commands work on
// MenuDoc; an error that reaches a command ends it and is shown in a message box.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/menudocument.h"
#include "extdlg/modules.h"
#include "support/notifier.h"
#include "ui/dialogs.h"
#include "ui/entrylist.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QToolBar;

namespace navforge {

class TColorPanel;
class TEdit;
class TRecentFiles;
class TUndoHistory;
struct TMenuState;

// Where the window finds its surroundings; tests point everything at temporary folders.
struct TMainformOptions {
  std::string ProgramFolder;  // with a trailing "/"; empty: the running program's folder
  std::string VariablesFile;  // empty: as support/locations.h decides for ProgramFolder
  std::optional<TModuleFolders> ModuleFolders;  // empty: the shared folder and the program folder
  IDialogs* Dialogs = nullptr;                  // not owned; nullptr: Qt's own dialogs
  std::string RecentFiles;  // the INI file of "Zuletzt geöffnet"; empty: in the user's config folder
};

// The application title (task bar text); the program sets "HTML Navforge" before it
// creates the window, and Open and Save As change it.
std::string ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// The window caption and application title for a menu file (the title rule).
std::string TitleFor(const std::string& currentFile, const std::string& appTitle);
// The window caption alone: the title rule with "*" after the file name (after the
// application title for a menu never saved) while there are unsaved changes.
QString WindowCaption(const std::string& currentFile, const std::string& appTitle, bool modified);

class Tmainform : public QWidget {
  Q_OBJECT
public:
  explicit Tmainform(TMainformOptions options = {});
  ~Tmainform() override;

  // Window-level state.
  std::unique_ptr<TovHTML> MenuDoc;
  std::string CurrentFile;  // Windows-1252, like every path inside the program
  std::string AppTitle;     // Windows-1252
  // Whether the menu differs from its saved state: an undo step since the last New,
  // Open, Save or Save As (undoing back to it clears it again), or a formatting value
  // typed and not yet finished. Exit, the close box, New and Open ask first.
  bool Modified = false;
  // Every change of the document, one step each ("Rückgängig", "Wiederholen").
  TUndoHistory* History = nullptr;
  // Told of every page "HTML Menü erstellen" writes (empty: no one listens).
  std::function<void(const std::string&)> PageWritten;

  void GetSettings();
  void SetSettings();
  // The formatting controls' values into doc, as SetSettings copies them into MenuDoc.
  void SettingsInto(TMenuFormat& doc) const;
  void SetColor(TColorPanel* panel, std::int32_t color);
  void GetTemplates(QComboBox* list);

  // Controls, named as their objectName.
  QWidget* TBDock1 = nullptr;
  QToolBar* TBToolbar1 = nullptr;
  QAction *BtnExit = nullptr, *BtnNew = nullptr, *BtnOpen = nullptr, *BtnSave = nullptr, *BtnSaveAs = nullptr;
  QAction *TBItem5 = nullptr, *TBItem6 = nullptr, *TBItem7 = nullptr;
  QAction *BtnUndo = nullptr, *BtnRedo = nullptr, *BtnCheck = nullptr;
  QMenu* RecentMenu = nullptr;       // "Zuletzt geöffnet", the open button's drop-down
  QLabel* GenerateResult = nullptr;  // the line a successful generation leaves at the toolbar's end
  QAction *TBSeparatorItem1 = nullptr, *TBSeparatorItem2 = nullptr, *TBSeparatorItem3 = nullptr,
          *TBSeparatorItem4 = nullptr;
  QFrame* Panel8 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget *TabSheet1 = nullptr, *TabSheet4 = nullptr, *TabSheet2 = nullptr;
  // Page "Menü".
  TEntryList* ListBox1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QToolBar* TBToolbar2 = nullptr;
  QAction *TBItem8 = nullptr, *TBItem9 = nullptr, *TBItem10 = nullptr, *TBItem15 = nullptr, *TBItem11 = nullptr,
          *TBItem12 = nullptr, *TBItem13 = nullptr, *TBItem14 = nullptr;
  QAction* TBItemImport = nullptr;  // "Seiten importieren..." (ui/importdialog.cpp)
  // "Eine Ebene tiefer", "Eine Ebene höher": in the list's context menu, Alt+Right and
  // Alt+Left while the list has the focus.
  QAction *TBItemDeeper = nullptr, *TBItemHigher = nullptr;
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
  void LevelDeeperClick();
  void LevelHigherClick();
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
  void UndoClick();
  void RedoClick();
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
  // After a command from outside the form changed the entries: shows them, selects
  // select and makes the change one undo step named step.
  void EntriesChanged(const QString& step, int select);
  // The check window's ways back: an entry selected as a click on it would (asking
  // about typed texts first), and the control of the value a finding is about.
  void ShowEntry(int index);
  void ShowFieldOf(const std::string& code, const std::string& text);
  // As "Öffnen..." with path chosen (a file-system name); "Zuletzt geöffnet" uses it.
  void OpenMenuFile(const std::string& path);

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

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
  // A toolbar command with its glyph, hint and keys, connected to its handler.
  QAction* AddCommand(QToolBar* bar, const char* name, const char* glyph, const std::string& hint, Handler handler,
                      const QList<QKeySequence>& keys = {});
  QAction* AddSeparator(QToolBar* bar, const char* name);
  TEdit* AddEdit(QWidget* parent, const char* name, int left, int top, int width, const std::string& hint);
  QLabel* AddLabel(QWidget* parent, const char* name, int left, int top, const std::string& caption);
  QPushButton* AddButton(QWidget* parent, const char* name, int left, int top, int width,
                         const std::string& caption, Handler handler);
  TColorPanel* AddSwatch(QWidget* parent, const char* name, int left, int top);
  void FillItemList();
  void FillGrid();
  void ApplyTitleRule();
  // A formatting value chosen by a command, a colour or a template set is one undo
  // step at once; one typed is one when its box is left.
  void WatchFormattingControls();
  // Undo: the document as a state (sharing what did not change since the newest step),
  // a state shown again, and the steps.
  TMenuState StateNow(bool share = true) const;
  void RestoreState(const TMenuState& state, int selected);
  void ResetHistory();
  // The change a command just made, as one step; a formatting value typed before it
  // goes first as a step of its own.
  void RecordStep(const QString& text, int selectedBefore);
  void RecordFormatting();
  void UpdateModified();
  void CreateUndoCommands();
  // Keys, the Tab order and a visible focus for every control.
  void SetUpKeyboard();
  // Texts typed into the entry boxes and not applied: the boxes show the entry at index
  // (-1: none) and what counts as applied; a question before typing would be lost.
  void ShowInBoxes(int index);
  bool TypingPending() const;
  bool TypingHandled();
  void ApplyTyping(int reselect);
  void DropEntry(int from, int gap);
  // "Zuletzt geöffnet" and the line after a generation.
  void FillRecentMenu();
  void ShowGenerated(int pages, const std::string& mainPage);
  void PlaceGenerateResult();
  // With unsaved changes, asks whether to save them first; false: the command stops.
  bool UnsavedChangesHandled();
  // Reads the menu at path into a fresh document, which replaces the shown one.
  void LoadMenu(const std::string& path);
  // Save and Save As; false when cancelled or failed.
  bool SaveMenu();
  bool SaveMenuAs();
  void AddEntry(bool subItem);
  // The selected entry's command: op(sel), refill, then select reselect(sel, count);
  // does nothing without a selection. One undo step: "Eintrag „…“ " + doing.
  template <typename Op, typename Reselect> void EntryCommand(const char* doing, Op op, Reselect reselect);
  // A variables command: op(variables, index of the grid's row), then redraw the grid;
  // one undo step: "Variable „name“ " + doing.
  template <typename Op> void VariablesCommand(const std::string& name, const char* doing, Op op);
  // A chosen file's path into target, relative to the output file's folder when one is set.
  void BrowseRelativeToOutput(const char* filter, TEdit* target);
  // The folder the pages are written to (a file-system name with "/", absolute).
  std::string OutputFolder() const;
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
  int boxesFrom_ = -1;                  // the entry the entry boxes were filled from
  std::array<QString, 3> boxesShown_;  // their texts then, or as last applied
  std::unique_ptr<TRecentFiles> recent_;
};

}  // namespace navforge
