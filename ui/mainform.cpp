// The window as a whole: its frame, the parts every page is built from, start-up,
// shutdown, the template list and the hidden debug page.
#include "ui/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <exception>
#include <vector>

#include "support/errors.h"
#include "support/folders.h"
#include "support/locations.h"
#include "support/paths.h"
#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "ui/errorreason.h"
#include "ui/fontnames.h"
#include "ui/formparts.h"
#include "ui/hints.h"
#include "ui/listadapters.h"
#include "ui/qtdialogs.h"
#include "ui/qtext.h"
#include "ui/recentfiles.h"
#include "ui/undohistory.h"

static void InitGlyphs() { Q_INIT_RESOURCE(glyphs); }

namespace navforge {
namespace {

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 565;

}  // namespace

Tmainform::Tmainform(TMainformOptions options)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      options_(std::move(options)),
      notifier_(*this) {
  InitGlyphs();
  programFolder_ = options_.ProgramFolder.empty() ? ProgramFolder() : options_.ProgramFolder;
  if (options_.Dialogs) {
    dialogs_ = options_.Dialogs;
  } else {
    ownDialogs_ = std::make_unique<TQtDialogs>(this);
    dialogs_ = ownDialogs_.get();
  }
  notifierScope_ = std::make_unique<ScopedNotifier>(notifier_);
  History = new TUndoHistory([this](const TMenuState& state, int selected) { RestoreState(state, selected); }, this);
  const std::string recentStore = options_.RecentFiles.empty() && !UserConfigFolder().empty()
                                      ? UserConfigFolder() + "zuletzt.ini"
                                      : options_.RecentFiles;
  recent_ = std::make_unique<TRecentFiles>(PathToQ(recentStore));

  setObjectName(QStringLiteral("mainform"));
  setWindowTitle(QStringLiteral("mainform"));
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  setPalette(pal);
  // The closest installed sans serif; at 10 px the longest label ends before its box.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(10);
  setFont(font);

  CreateMainToolbar();
  Panel8 = new QFrame(this);
  Place(Panel8, "Panel8", 0, 26, kClientWidth, kClientHeight - 26);
  PageControl1 = new QTabWidget(Panel8);
  Place(PageControl1, "PageControl1", 1, 1, 458, 537);
  CreateMenuPage();
  CreateFormatPage();
  CreateDebugPage();
  qApp->installEventFilter(new THintFilter(this));

  OnCreate();
  ResetHistory();
  WatchFormattingControls();
  SetUpKeyboard();
}

Tmainform::~Tmainform() { OnDestroy(); }

void Tmainform::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  PlaceGenerateResult();
  if (centred_) return;
  centred_ = true;
  if (QScreen* screen = this->screen()) {
    QRect area = screen->availableGeometry();
    QRect frame = frameGeometry();
    move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
}

// ---- Parts the pages are built from ----

QAction* Tmainform::AddCommand(QToolBar* bar, const char* name, const char* glyph, const std::string& hint,
                               Handler handler, const QList<QKeySequence>& keys) {
  QAction* action = bar->addAction(QIcon(QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(glyph))), ToQ(hint));
  action->setObjectName(QLatin1String(name));
  action->setToolTip(ToQ(hint));
  action->setShortcuts(keys);
  if (QWidget* button = bar->widgetForAction(action)) button->setObjectName(QLatin1String(name) + QLatin1String("Button"));
  connect(action, &QAction::triggered, this, handler);
  return action;
}

QAction* Tmainform::AddSeparator(QToolBar* bar, const char* name) {
  QAction* action = bar->addSeparator();
  action->setObjectName(QLatin1String(name));
  return action;
}

TEdit* Tmainform::AddEdit(QWidget* parent, const char* name, int left, int top, int width, const std::string& hint) {
  auto* edit = new TEdit(parent);
  Place(edit, name, left, top, width, 21);
  if (!hint.empty()) edit->setToolTip(ToQ(hint));
  return edit;
}

QLabel* Tmainform::AddLabel(QWidget* parent, const char* name, int left, int top, const std::string& caption) {
  auto* label = new QLabel(ToQ(caption), parent);
  label->setObjectName(QLatin1String(name));
  label->move(left, top);
  label->adjustSize();
  KeepLeadingOffset(label, left);
  return label;
}

QPushButton* Tmainform::AddButton(QWidget* parent, const char* name, int left, int top, int width,
                                  const std::string& caption, Handler handler) {
  auto* button = new QPushButton(ToQ(caption), parent);
  Place(button, name, left, top, width, 25);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, handler);
  return button;
}

TColorPanel* Tmainform::AddSwatch(QWidget* parent, const char* name, int left, int top) {
  auto* panel = new TColorPanel(parent);
  Place(panel, name, left, top, 25, 25);
  panel->setText(QStringLiteral("n/a"));
  connect(panel, &TColorPanel::clicked, this, [this, panel] { colorclick(panel); });
  return panel;
}

// ---- Errors and messages ----

void Tmainform::TFormNotifier::ShowMessage(const std::string& text) {
  form_.dialogs_->Message(ApplicationTitle(), text);
}

bool Tmainform::Guard(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const ENavforgeError& e) {
    ShowError(ErrorText(e));
    return false;
  } catch (const std::exception& e) {
    ShowError(UnexpectedErrorText(e));
    return false;
  }
}

void Tmainform::ShowError(const std::string& text) { dialogs_->Error(ApplicationTitle(), text); }

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
  PageControl1->setCurrentWidget(TabSheet1);
  AppTitle = ApplicationTitle();
  setWindowTitle(ToQ(AppTitle));
  FillFontBox(cbfont);
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

void Tmainform::closeEvent(QCloseEvent* event) {
  if (UnsavedChangesHandled())
    event->accept();
  else
    event->ignore();
}

// ---- Page "Debug" ----

void Tmainform::CreateDebugPage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  int index = PageControl1->addTab(TabSheet2, QStringLiteral("Debug"));
  PageControl1->setTabVisible(index, false);
  // Ctrl+Tab skips disabled pages only; a hidden one it would still open.
  PageControl1->setTabEnabled(index, false);
  Memo1 = new QPlainTextEdit(TabSheet2);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  auto* bottom = new QWidget(TabSheet2);
  bottom->setObjectName(QStringLiteral("Panel9"));
  Memo1->setGeometry(0, 0, 450, 480);
  bottom->setGeometry(0, 480, 450, 29);
  Button5 = AddButton(bottom, "Button5", 2, 2, 103, "Show Debug Info", &Tmainform::Button5Click);
}

void Tmainform::Button5Click() {
  Guard([&] {
    TMemoLines lines(Memo1);
    MenuDoc->DumpItems(lines);
  });
}

}  // namespace navforge
