// The window's layout: every control at its place, with its caption and hint.
#include "ui/mainform.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

#include "support/paths.h"
#include "ui/checkwindow.h"
#include "ui/qtdialogs.h"
#include "ui/qtext.h"
#include "ui/widgets.h"

static void InitGlyphs() { Q_INIT_RESOURCE(glyphs); }

namespace navforge {
namespace {

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 565;

// Hints of several lines, joined by CR LF.
const std::string kHintBrowseLink =
    "Im angezeigten Dialog feld k\xF6nnen, die die datei ausw\xE4hlen, die gelinkt werden soll.\r\n"
    "Falls, sie den Speicherpfad und -dateinamen des fertigen Men\xFCs angegeben haben, berechnet das "
    "Programm die relative Position.";
const std::string kHintFont =
    "Geben Sie hier die Schriftart ein, in der die Men\xFCpunkte dargestellt werden\r\n"
    "sollen. Ein Doppelklick auf die Editbox bewirk, das die oben ausgew\xE4hlte\r\n"
    "Schrift automatisch eingef\xFCgt wird.";
const std::string kHintFontSize =
    "Geben Sie hier die Schriftgr\xF6\xDF" "e an.\r\n"
    "Falls die Variable $FontSize$ in einem Tag f\xFCr CSS-Angaben steht, geben sie\r\n"
    "die Einheit mit an. Bsp: pt, px, cm ...";
const std::string kHintMargin =
    "Geben Sie hier den Randabstand ein. Es gilt das gleiche wie bei der\r\n"
    "Schriftgr\xF6\xDF" "e bez\xFCglich der Einheiten.";
const std::string kHintFileExt =
    "Geben Sie hier die Endung an, die die Dateien mit den Untermen\xFCs haben sollen.\r\n"
    "Falls Sie keine Endung angeben, wird die Endung der Hauptdatei benutzt";

class TFixedRowHeight : public QStyledItemDelegate {
public:
  TFixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(height_);
    return size;
  }

private:
  int height_;
};

QWidget* Place(QWidget* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(QLatin1String(name));
  w->setGeometry(left, top, width, height);
  return w;
}

QToolBar* MakeToolbar(QWidget* parent, const char* name, const char* dockName, int left, int top, int width,
                      bool border) {
  auto* dock = new QFrame(parent);
  Place(dock, dockName, left, top, width, 26);
  if (border) dock->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* bar = new QToolBar(dock);
  bar->setObjectName(QLatin1String(name));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  int inset = border ? 1 : 0;
  bar->setGeometry(inset, inset, width - 2 * inset, 26 - 2 * inset);
  return bar;
}

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
}

Tmainform::~Tmainform() { OnDestroy(); }

void Tmainform::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (QScreen* screen = this->screen()) {
    QRect area = screen->availableGeometry();
    QRect frame = frameGeometry();
    move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
}

QAction* Tmainform::AddToolItem(QToolBar* bar, const char* name, const char* glyph, const std::string& hint) {
  QAction* action = bar->addAction(QIcon(QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(glyph))), ToQ(hint));
  action->setObjectName(QLatin1String(name));
  action->setToolTip(ToQ(hint));
  if (QWidget* button = bar->widgetForAction(action)) button->setObjectName(QLatin1String(name) + QLatin1String("Button"));
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
  return label;
}

QPushButton* Tmainform::AddButton(QWidget* parent, const char* name, int left, int top, int width,
                                  const std::string& caption) {
  auto* button = new QPushButton(ToQ(caption), parent);
  Place(button, name, left, top, width, 25);
  button->setAutoDefault(false);
  return button;
}

TColorPanel* Tmainform::AddSwatch(QWidget* parent, const char* name, int left, int top) {
  auto* panel = new TColorPanel(parent);
  Place(panel, name, left, top, 25, 25);
  panel->setText(QStringLiteral("n/a"));
  connect(panel, &TColorPanel::clicked, this, [this, panel] { colorclick(panel); });
  return panel;
}

void Tmainform::CreateMainToolbar() {
  TBToolbar1 = MakeToolbar(this, "TBToolbar1", "TBDock1", 0, 0, kClientWidth, true);
  TBDock1 = TBToolbar1->parentWidget();
  BtnExit = AddToolItem(TBToolbar1, "BtnExit", "exit", "Programm beenden");
  TBSeparatorItem1 = AddSeparator(TBToolbar1, "TBSeparatorItem1");
  BtnNew = AddToolItem(TBToolbar1, "BtnNew", "new", "Neu");
  BtnOpen = AddToolItem(TBToolbar1, "BtnOpen", "open", "\xD6" "ffnen...");
  BtnSave = AddToolItem(TBToolbar1, "BtnSave", "save", "Speichern");
  BtnSaveAs = AddToolItem(TBToolbar1, "BtnSaveAs", "saveas", "Speichern unter...");
  TBSeparatorItem2 = AddSeparator(TBToolbar1, "TBSeparatorItem2");
  TBItem5 = AddToolItem(TBToolbar1, "TBItem5", "generate", "HTML Men\xFC erstellen");
  AddCheckCommand(*this, TBToolbar1);
  TBSeparatorItem3 = AddSeparator(TBToolbar1, "TBSeparatorItem3");
  TBItem6 = AddToolItem(TBToolbar1, "TBItem6", "version", "Versionskontrolle");
  TBSeparatorItem4 = AddSeparator(TBToolbar1, "TBSeparatorItem4");
  TBItem7 = AddToolItem(TBToolbar1, "TBItem7", "info", "Info");
  SetShowHint(TBToolbar1, true);

  connect(BtnExit, &QAction::triggered, this, &Tmainform::applicationend);
  connect(BtnNew, &QAction::triggered, this, &Tmainform::BtnNewClick);
  connect(BtnOpen, &QAction::triggered, this, &Tmainform::BtnOpenClick);
  connect(BtnSave, &QAction::triggered, this, &Tmainform::BtnSaveClick);
  connect(BtnSaveAs, &QAction::triggered, this, &Tmainform::BtnSaveAsClick);
  connect(TBItem5, &QAction::triggered, this, &Tmainform::TBItem5Click);
  connect(TBItem6, &QAction::triggered, this, &Tmainform::TBItem6Click);
  connect(TBItem7, &QAction::triggered, this, &Tmainform::TBItem7Click);
}

void Tmainform::CreateMenuPage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, ToQ("Men\xFC"));

  ListBox1 = new QListWidget(TabSheet1);
  Place(ListBox1, "ListBox1", 0, 0, 167, 506);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setItemDelegate(new TFixedRowHeight(13, ListBox1));
  ListBox1->setUniformItemSizes(true);
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, &Tmainform::ListBox1Click);
  // A click on the line already selected fetches its texts again, too.
  connect(ListBox1, &QListWidget::itemClicked, this, &Tmainform::ListBox1Click);

  GroupBox1 = new QGroupBox(ToQ("Men\xFC"), TabSheet1);
  Place(GroupBox1, "GroupBox1", 172, 0, 261, 161);
  SetShowHint(GroupBox1, true);
  TBToolbar2 = MakeToolbar(GroupBox1, "TBToolbar2", "TBDock2", 2, 15, 257, false);
  TBItem8 = AddToolItem(TBToolbar2, "TBItem8", "add", "Men\xFCpunkt hinzuf\xFCgen");
  TBItem9 = AddToolItem(TBToolbar2, "TBItem9", "addsub", "Men\xFCunterpunkt hinzuf\xFCgen");
  AddSeparator(TBToolbar2, "TBSeparatorItem5");
  TBItem10 = AddToolItem(TBToolbar2, "TBItem10", "change", "\xC4ndern");
  AddSeparator(TBToolbar2, "TBSeparatorItem8");
  TBItem15 = AddToolItem(TBToolbar2, "TBItem15", "delete", "L\xF6schen");
  AddSeparator(TBToolbar2, "TBSeparatorItem6");
  TBItem11 = AddToolItem(TBToolbar2, "TBItem11", "up", "Nach oben");
  TBItem12 = AddToolItem(TBToolbar2, "TBItem12", "down", "Nach unten");
  AddSeparator(TBToolbar2, "TBSeparatorItem7");
  TBItem13 = AddToolItem(TBToolbar2, "TBItem13", "left", "Zu Haupmen\xFCpunkt machen");
  TBItem14 = AddToolItem(TBToolbar2, "TBItem14", "right", "zu Men\xFCunterpunkt machen");
  // The group box's width holds one more button, without a separator, when the bar
  // keeps no margin of its own.
  TBToolbar2->layout()->setContentsMargins(0, 0, 0, 0);
  TBItemImport = AddToolItem(TBToolbar2, "TBItemImport", "import", "Seiten importieren...");
  auto* bevel = new QFrame(GroupBox1);
  Place(bevel, "Bevel1", 2, 41, 257, 2);
  bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  AddLabel(GroupBox1, "Label1", 5, 53, "Name");
  menuname = AddEdit(GroupBox1, "menuname", 73, 51, 176, "Geben Sie hier den Namen des Links an");
  AddLabel(GroupBox1, "Label2", 5, 78, "Link");
  menulink = AddEdit(GroupBox1, "menulink", 73, 76, 176,
                     "Geben Sie hier die Adresse des Links an. geben Sie den Link so an, wie er sp\xE4ter im "
                     "Quelltext sethen soll, da keine relativen Pfadberechnungen vorgenommen werden.");
  AddLabel(GroupBox1, "Label19", 5, 102, "Targetframe");
  linktarget = AddEdit(GroupBox1, "linktarget", 73, 100, 176,
                       "Geben Sie hier ggf. den Namen des Frames an, in dem die Seite angezeigt werden soll.");
  FlatButton1 = AddButton(GroupBox1, "FlatButton1", 168, 129, 81, "Durchsuchen...");
  FlatButton1->setToolTip(ToQ(kHintBrowseLink));
  FlatButton2 = AddButton(TabSheet1, "FlatButton2", 172, 168, 109, "<-- Deselect Item");

  connect(TBItem8, &QAction::triggered, this, &Tmainform::TBItem8Click);
  connect(TBItem9, &QAction::triggered, this, &Tmainform::TBItem9Click);
  connect(TBItem10, &QAction::triggered, this, &Tmainform::TBItem10Click);
  connect(TBItem15, &QAction::triggered, this, &Tmainform::TBItem15Click);
  connect(TBItem11, &QAction::triggered, this, &Tmainform::TBItem11Click);
  connect(TBItem12, &QAction::triggered, this, &Tmainform::TBItem12Click);
  connect(TBItem13, &QAction::triggered, this, &Tmainform::TBItem13Click);
  connect(TBItem14, &QAction::triggered, this, &Tmainform::TBItem14Click);
  connect(TBItemImport, &QAction::triggered, this, &Tmainform::ImportPagesClick);
  connect(FlatButton1, &QPushButton::clicked, this, &Tmainform::Button3Click);
  connect(FlatButton2, &QPushButton::clicked, this, &Tmainform::Button12Click);
}

void Tmainform::CreateFormatPage() {
  TabSheet4 = new QWidget;
  TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
  PageControl1->addTab(TabSheet4, QStringLiteral("Formatierung"));
  Panel100 = new QFrame(TabSheet4);
  Place(Panel100, "Panel100", 0, 0, 449, 505);
  Panel100->setFrameStyle(QFrame::Panel | QFrame::Raised);
  PageControl2 = new QTabWidget(Panel100);
  Place(PageControl2, "PageControl2", 2, 2, 445, 501);
  CreateGeneralPage();
  CreateLinkColorsPage();
  CreateVariablesPage();
  PageControl2->setCurrentWidget(TabSheet3);
}

void Tmainform::CreateGeneralPage() {
  TabSheet3 = new QWidget;
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  PageControl2->addTab(TabSheet3, QStringLiteral("Allgemein"));
  auto group = [this](const char* name, const std::string& caption, int l, int t, int w, int h) {
    auto* box = new QGroupBox(ToQ(caption), TabSheet3);
    Place(box, name, l, t, w, h);
    return box;
  };

  QGroupBox* font = group("GroupBox2", "Schrift", 1, 1, 240, 104);
  AddLabel(font, "Label4", 4, 22, "installierte. Schriften:");
  cbfont = new QComboBox(font);
  Place(cbfont, "cbfont", 104, 20, 121, 21);
  cbfont->setEditable(true);
  cbfont->setInsertPolicy(QComboBox::NoInsert);
  cbfont->lineEdit()->setValidator(new TCp1252Validator(cbfont));
  cbfont->setToolTip(ToQ("Dies ist eine Liste mit allen installierten Schriften"));
  AddLabel(font, "Label3", 4, 50, "Schrift(en)");
  menufont = AddEdit(font, "menufont", 104, 48, 121, kHintFont);
  AddLabel(font, "Label5", 4, 77, "Schriftgr\xF6\xDF" "e:");
  menufontsize = AddEdit(font, "menufontsize", 104, 75, 73, kHintFontSize);

  QGroupBox* colors = group("GroupBox3", "Farben", 249, 1, 185, 104);
  AddLabel(colors, "Label6", 4, 22, "Schrift:");
  Panel1 = AddSwatch(colors, "Panel1", 80, 16);
  Button10 = AddButton(colors, "Button10", 112, 16, 50, "clear");
  AddLabel(colors, "Label7", 4, 51, "Hintergrund:");
  Panel2 = AddSwatch(colors, "Panel2", 80, 45);
  Button11 = AddButton(colors, "Button11", 112, 45, 50, "clear");

  QGroupBox* sub = group("GroupBox5", "Unterpunkte", 1, 106, 240, 103);
  AddLabel(sub, "Label12", 8, 19, "Schrift(en)");
  submenufont = AddEdit(sub, "submenufont", 104, 16, 121, kHintFont);
  AddLabel(sub, "Label13", 8, 46, "Schriftgr\xF6\xDF" "e");
  ufontsize = AddEdit(sub, "ufontsize", 104, 43, 73, kHintFontSize);
  AddLabel(sub, "Label17", 8, 73, "Randabstand");
  leftmar = AddEdit(sub, "leftmar", 104, 70, 73, kHintMargin);

  QGroupBox* image = group("GroupBox6", "Hintergrundbild", 249, 106, 185, 103);
  picfile = AddEdit(image, "picfile", 7, 23, 169,
                    "Geben sie hier den relativen oder absoluten Pfad f\xFCr das Hintergrundbild ein.");
  Button1 = AddButton(image, "Button1", 7, 50, 82, "Durchsuchen...");

  QGroupBox* title = group("GroupBox8", "Titel", 1, 211, 433, 55);
  AddLabel(title, "Label16", 8, 20, "Titel:");
  titlename = AddEdit(title, "titlename", 104, 18, 233, "Geben Sie hier den Titel der Navigationsleite ein.");

  QGroupBox* file = group("GroupBox7", "Dateiname", 1, 267, 433, 74);
  AddLabel(file, "Label15", 8, 24, "Dateiname:");
  efilename = AddEdit(file, "efilename", 104, 22, 233, "Das fertige Men\xFC wird unter diesem Dateinamen gespeichert.");
  Button2 = AddButton(file, "Button2", 344, 20, 81, "Durchsuchen...");
  AddLabel(file, "Label21", 8, 50, "Dateiendung:");
  feedit = AddEdit(file, "feedit", 104, 48, 81, kHintFileExt);

  QGroupBox* templ = group("FlatGroupBox2", "Template", 1, 344, 433, 54);
  AddLabel(templ, "Label14", 8, 26, "Template(s):");
  cbTemplates = new QComboBox(templ);
  Place(cbTemplates, "cbTemplates", 104, 24, 233, 21);
  cbTemplates->setToolTip(
      ToQ("W\xE4hlen Sie hier die Vorlage aus, aus der das Men\xFC erstellt werden soll."));

  QGroupBox* other = group("FlatGroupBox1", "Sonstiges", 1, 400, 433, 65);
  AddLabel(other, "Label18", 8, 26, "Trennlinie");
  hrline = AddEdit(other, "hrline", 104, 24, 233,
                   "Geben Sie hier den HTML-Code f\xFCr die benutzerdefinierte Trennlinie ein.");
  hrline->setText(QStringLiteral("<hr>"));

  for (QWidget* w : std::initializer_list<QWidget*>{cbfont, menufont, menufontsize, submenufont, ufontsize, picfile,
                                                    titlename, efilename, cbTemplates, hrline})
    SetShowHint(w, true);

  connect(menufont, &TEdit::doubleClicked, this, [this] { Fontclick(menufont); });
  connect(submenufont, &TEdit::doubleClicked, this, [this] { Fontclick(submenufont); });
  connect(Button10, &QPushButton::clicked, this, &Tmainform::Button10Click);
  connect(Button11, &QPushButton::clicked, this, &Tmainform::Button11Click);
  connect(Button1, &QPushButton::clicked, this, &Tmainform::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &Tmainform::Button2Click);
}

void Tmainform::CreateLinkColorsPage() {
  TabSheet5 = new QWidget;
  TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
  PageControl2->addTab(TabSheet5, QStringLiteral("Hyperlink-Farben"));
  auto* links = new QGroupBox(QStringLiteral("Links"), TabSheet5);
  Place(links, "GroupBox4", 1, 1, 433, 165);
  AddLabel(links, "Label8", 5, 25, "Link:");
  Panel3 = AddSwatch(links, "Panel3", 86, 19);
  Button4 = AddButton(links, "Button4", 128, 19, 50, "clear");
  AddLabel(links, "Label20", 5, 52, "1. Buchstabe:");
  Panel7 = AddSwatch(links, "Panel7", 86, 48);
  Button6 = AddButton(links, "Button6", 128, 48, 50, "clear");
  AddLabel(links, "Label9", 4, 83, "besuchter Link:");
  Panel4 = AddSwatch(links, "Panel4", 86, 77);
  Button7 = AddButton(links, "Button7", 128, 77, 50, "clear");
  AddLabel(links, "Label10", 4, 111, "aktiver Link:");
  Panel5 = AddSwatch(links, "Panel5", 86, 105);
  Button8 = AddButton(links, "Button8", 128, 105, 50, "clear");
  AddLabel(links, "Label11", 4, 138, "Hover-Link:");
  Panel6 = AddSwatch(links, "Panel6", 86, 132);
  Button9 = AddButton(links, "Button9", 128, 132, 50, "clear");

  connect(Button4, &QPushButton::clicked, this, &Tmainform::Button4Click);
  connect(Button6, &QPushButton::clicked, this, &Tmainform::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &Tmainform::Button7Click);
  connect(Button8, &QPushButton::clicked, this, &Tmainform::Button8Click);
  connect(Button9, &QPushButton::clicked, this, &Tmainform::Button9Click);
}

void Tmainform::CreateVariablesPage() {
  TabSheet6 = new QWidget;
  TabSheet6->setObjectName(QStringLiteral("TabSheet6"));
  PageControl2->addTab(TabSheet6, QStringLiteral("Variablen"));
  TBToolbar3 = MakeToolbar(TabSheet6, "TBToolbar3", "TBDock3", 0, 0, 437, false);
  SetShowHint(TBToolbar3, false);
  TBItem16 = AddToolItem(TBToolbar3, "TBItem16", "add", "Hinzuf\xFCgen");
  AddSeparator(TBToolbar3, "TBSeparatorItem9");
  TBItem17 = AddToolItem(TBToolbar3, "TBItem17", "change", "\xC4ndern");
  AddSeparator(TBToolbar3, "TBSeparatorItem10");
  TBItem18 = AddToolItem(TBToolbar3, "TBItem18", "delete", "L\xF6schen");
  AddSeparator(TBToolbar3, "TBSeparatorItem11");
  TBItem19 = AddToolItem(TBToolbar3, "TBItem19", "up", "Nach oben");
  TBItem20 = AddToolItem(TBToolbar3, "TBItem20", "down", "Nach  unten");

  StringGrid1 = new QTableWidget(1, 2, TabSheet6);
  Place(StringGrid1, "StringGrid1", 0, 26, 437, 419);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setDefaultSectionSize(15);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setDefaultSectionSize(210);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1->horizontalHeader()->setFixedHeight(17);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setShowGrid(true);
  StringGrid1->setWordWrap(false);
  connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this] { StringGrid1Click(); });
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { StringGrid1Click(); });

  auto* bottom = new QWidget(TabSheet6);
  Place(bottom, "Panel10", 0, 445, 437, 25);
  Edit1 = AddEdit(bottom, "Edit1", 0, 2, 210, "");
  Edit2 = AddEdit(bottom, "Edit2", 212, 2, 210, "");

  connect(TBItem16, &QAction::triggered, this, &Tmainform::TBItem16Click);
  connect(TBItem17, &QAction::triggered, this, &Tmainform::TBItem17Click);
  connect(TBItem18, &QAction::triggered, this, &Tmainform::TBItem18Click);
  connect(TBItem19, &QAction::triggered, this, &Tmainform::TBItem19Click);
  connect(TBItem20, &QAction::triggered, this, &Tmainform::TBItem20Click);
}

void Tmainform::CreateDebugPage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  int index = PageControl1->addTab(TabSheet2, QStringLiteral("Debug"));
  PageControl1->setTabVisible(index, false);
  Memo1 = new QPlainTextEdit(TabSheet2);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  auto* bottom = new QWidget(TabSheet2);
  bottom->setObjectName(QStringLiteral("Panel9"));
  Memo1->setGeometry(0, 0, 450, 480);
  bottom->setGeometry(0, 480, 450, 29);
  Button5 = AddButton(bottom, "Button5", 2, 2, 103, "Show Debug Info");
  connect(Button5, &QPushButton::clicked, this, &Tmainform::Button5Click);
}

}  // namespace navforge
