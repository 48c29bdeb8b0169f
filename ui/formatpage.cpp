// Page "Formatierung" with its sub-pages "Allgemein" and "Hyperlink-Farben": the
// formatting controls, the copies between them and the document, and their commands.
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>
#include <string_view>

#include "persist/formatfields.h"
#include "persist/settings.h"
#include "support/cp1252literal.h"
#include "support/strutil.h"
#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "ui/formparts.h"
#include "ui/hints.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {
namespace {

// Hints of several lines, joined by CR LF.
const std::string kHintFont =
    "Geben Sie hier die Schriftart ein, in der die Menüpunkte dargestellt werden\r\n"
    "sollen. Ein Doppelklick auf die Editbox bewirk, das die oben ausgewählte\r\n"
    "Schrift automatisch eingefügt wird."_cp1252;
const std::string kHintFontSize =
    "Geben Sie hier die Schriftgröße an.\r\n"
    "Falls die Variable $FontSize$ in einem Tag für CSS-Angaben steht, geben sie\r\n"
    "die Einheit mit an. Bsp: pt, px, cm ..."_cp1252;
const std::string kHintMargin =
    "Geben Sie hier den Randabstand ein. Es gilt das gleiche wie bei der\r\n"
    "Schriftgröße bezüglich der Einheiten."_cp1252;
const std::string kHintFileExt =
    "Geben Sie hier die Endung an, die die Dateien mit den Untermenüs haben sollen.\r\n"
    "Falls Sie keine Endung angeben, wird die Endung der Hauptdatei benutzt"_cp1252;

}  // namespace

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
  connect(menufont, &TEdit::doubleClicked, this, [this] { Fontclick(menufont); });
  AddLabel(font, "Label5", 4, 77, "Schriftgröße:"_cp1252);
  menufontsize = AddEdit(font, "menufontsize", 104, 75, 73, kHintFontSize);

  QGroupBox* colors = group("GroupBox3", "Farben", 249, 1, 185, 104);
  AddLabel(colors, "Label6", 4, 22, "Schrift:");
  Panel1 = AddSwatch(colors, "Panel1", 80, 16);
  Button10 = AddButton(colors, "Button10", 112, 16, 50, "clear", &Tmainform::Button10Click);
  AddLabel(colors, "Label7", 4, 51, "Hintergrund:");
  Panel2 = AddSwatch(colors, "Panel2", 80, 45);
  Button11 = AddButton(colors, "Button11", 112, 45, 50, "clear", &Tmainform::Button11Click);

  QGroupBox* sub = group("GroupBox5", "Unterpunkte", 1, 106, 240, 103);
  AddLabel(sub, "Label12", 8, 19, "Schrift(en)");
  submenufont = AddEdit(sub, "submenufont", 104, 16, 121, kHintFont);
  connect(submenufont, &TEdit::doubleClicked, this, [this] { Fontclick(submenufont); });
  AddLabel(sub, "Label13", 8, 46, "Schriftgröße"_cp1252);
  ufontsize = AddEdit(sub, "ufontsize", 104, 43, 73, kHintFontSize);
  AddLabel(sub, "Label17", 8, 73, "Randabstand");
  leftmar = AddEdit(sub, "leftmar", 104, 70, 73, kHintMargin);

  QGroupBox* image = group("GroupBox6", "Hintergrundbild", 249, 106, 185, 103);
  picfile = AddEdit(image, "picfile", 7, 23, 169,
                    "Geben sie hier den relativen oder absoluten Pfad für das Hintergrundbild ein."_cp1252);
  Button1 = AddButton(image, "Button1", 7, 50, 82, "Durchsuchen...", &Tmainform::Button1Click);

  QGroupBox* title = group("GroupBox8", "Titel", 1, 211, 433, 55);
  AddLabel(title, "Label16", 8, 20, "Titel:");
  titlename = AddEdit(title, "titlename", 104, 18, 233, "Geben Sie hier den Titel der Navigationsleite ein.");

  QGroupBox* file = group("GroupBox7", "Dateiname", 1, 267, 433, 74);
  AddLabel(file, "Label15", 8, 24, "Dateiname:");
  efilename =
      AddEdit(file, "efilename", 104, 22, 233, "Das fertige Menü wird unter diesem Dateinamen gespeichert."_cp1252);
  Button2 = AddButton(file, "Button2", 344, 20, 81, "Durchsuchen...", &Tmainform::Button2Click);
  AddLabel(file, "Label21", 8, 50, "Dateiendung:");
  feedit = AddEdit(file, "feedit", 104, 48, 81, kHintFileExt);

  QGroupBox* templ = group("FlatGroupBox2", "Template", 1, 344, 433, 54);
  AddLabel(templ, "Label14", 8, 26, "Template(s):");
  cbTemplates = new QComboBox(templ);
  Place(cbTemplates, "cbTemplates", 104, 24, 233, 21);
  cbTemplates->setToolTip(
      QStringLiteral("Wählen Sie hier die Vorlage aus, aus der das Menü erstellt werden soll."));

  QGroupBox* other = group("FlatGroupBox1", "Sonstiges", 1, 400, 433, 65);
  AddLabel(other, "Label18", 8, 26, "Trennlinie");
  hrline = AddEdit(other, "hrline", 104, 24, 233,
                   "Geben Sie hier den HTML-Code für die benutzerdefinierte Trennlinie ein."_cp1252);
  hrline->setText(QStringLiteral("<hr>"));

  for (QWidget* w : std::initializer_list<QWidget*>{cbfont, menufont, menufontsize, submenufont, ufontsize, picfile,
                                                    titlename, efilename, cbTemplates, hrline})
    SetShowHint(w, true);
}

void Tmainform::CreateLinkColorsPage() {
  TabSheet5 = new QWidget;
  TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
  PageControl2->addTab(TabSheet5, QStringLiteral("Hyperlink-Farben"));
  auto* links = new QGroupBox(QStringLiteral("Links"), TabSheet5);
  Place(links, "GroupBox4", 1, 1, 433, 165);
  AddLabel(links, "Label8", 5, 25, "Link:");
  Panel3 = AddSwatch(links, "Panel3", 86, 19);
  Button4 = AddButton(links, "Button4", 128, 19, 50, "clear", &Tmainform::Button4Click);
  AddLabel(links, "Label20", 5, 52, "1. Buchstabe:");
  Panel7 = AddSwatch(links, "Panel7", 86, 48);
  Button6 = AddButton(links, "Button6", 128, 48, 50, "clear", &Tmainform::Button6Click);
  AddLabel(links, "Label9", 4, 83, "besuchter Link:");
  Panel4 = AddSwatch(links, "Panel4", 86, 77);
  Button7 = AddButton(links, "Button7", 128, 77, 50, "clear", &Tmainform::Button7Click);
  AddLabel(links, "Label10", 4, 111, "aktiver Link:");
  Panel5 = AddSwatch(links, "Panel5", 86, 105);
  Button8 = AddButton(links, "Button8", 128, 105, 50, "clear", &Tmainform::Button8Click);
  AddLabel(links, "Label11", 4, 138, "Hover-Link:");
  Panel6 = AddSwatch(links, "Panel6", 86, 132);
  Button9 = AddButton(links, "Button9", 128, 132, 50, "clear", &Tmainform::Button9Click);
}

// ---- Values between the controls and the document ----

void Tmainform::SetColor(TColorPanel* panel, std::int32_t color) {
  panel->setText(color == clNone ? QStringLiteral("n/a") : QString());
  panel->SetColor(color);
}

void Tmainform::WatchFormattingControls() {
  auto chosen = [this] {
    if (!showingSettings_) RecordFormatting();
    emit StateChanged();
  };
  for (TColorPanel* panel : {Panel1, Panel2, Panel3, Panel4, Panel5, Panel6, Panel7})
    connect(panel, &TColorPanel::colorChanged, this, chosen);
  connect(cbTemplates, &QComboBox::currentIndexChanged, this, chosen);
  for (TEdit* edit : {titlename, menufont, menufontsize, submenufont, ufontsize, leftmar, picfile, efilename, hrline, feedit}) {
    // Typing is one step once the box is left; a text a command set is one at once.
    connect(edit, &QLineEdit::textChanged, this, [this, edit] {
      if (!showingSettings_) {
        if (edit->hasFocus())
          UpdateModified();
        else
          RecordFormatting();
      }
      emit StateChanged();
    });
    connect(edit, &QLineEdit::editingFinished, this, [this] {
      if (!showingSettings_) RecordFormatting();
    });
  }
}

// The list entry the template loader would take for name: the exact name, else the
// smallest that differs from it in letter case only; -1 when none.
static int TemplateIndex(const QComboBox* list, const std::string& name) {
  int found = -1;
  for (int i = 0; i < list->count(); ++i) {
    const std::string item = FromQ(list->itemText(i));
    if (item == name) return i;
    if (SameTextAscii(item, name) && (found < 0 || item < FromQ(list->itemText(found)))) found = i;
  }
  return found;
}

namespace {

// The control that shows each formatting field, in the order of FormatFields (checked
// below): a colour swatch or an edit box. The template set has its selector, which
// keeps a name it does not list, so it is copied on its own.
struct TFieldControl {
  std::string_view Key;
  TColorPanel* Tmainform::* Swatch;
  TEdit* Tmainform::* Edit;
};
constexpr std::array<TFieldControl, FormatFields.size()> kFieldControls = {{
    {"TextColor", &Tmainform::Panel1, nullptr},
    {"BackgroundColor", &Tmainform::Panel2, nullptr},
    {"LinkColor", &Tmainform::Panel3, nullptr},
    {"ALinkColor", &Tmainform::Panel5, nullptr},
    {"VLinkColor", &Tmainform::Panel4, nullptr},
    {"HoverColor", &Tmainform::Panel6, nullptr},
    {"FirstLetterColor", &Tmainform::Panel7, nullptr},
    {"Title", nullptr, &Tmainform::titlename},
    {"Font", nullptr, &Tmainform::menufont},
    {"FontSize", nullptr, &Tmainform::menufontsize},
    {"SubmenuFont", nullptr, &Tmainform::submenufont},
    {"SubmenuFontSize", nullptr, &Tmainform::ufontsize},
    {"SubmenuLeftMargin", nullptr, &Tmainform::leftmar},
    {"BackgroundImage", nullptr, &Tmainform::picfile},
    {"Template", nullptr, nullptr},
    {"Filename", nullptr, &Tmainform::efilename},
    {"hr", nullptr, &Tmainform::hrline},
    {"fileext", nullptr, &Tmainform::feedit},
}};

constexpr bool ControlsFollowTheFields() {
  for (std::size_t i = 0; i < FormatFields.size(); ++i) {
    const TFieldControl& c = kFieldControls[i];
    if (c.Key != FormatFields[i].Key) return false;
    if ((FormatFields[i].Kind == FieldKind::Color) != (c.Swatch != nullptr)) return false;
  }
  return true;
}
static_assert(ControlsFollowTheFields(), "one control per formatting field, in the table's order");

}  // namespace

void Tmainform::GetSettings() {
  showingSettings_ = true;
  TMenuFormat& format = *MenuDoc;
  for (std::size_t i = 0; i < FormatFields.size(); ++i) {
    const FormatField& field = FormatFields[i];
    const TFieldControl& control = kFieldControls[i];
    if (control.Swatch)
      SetColor(this->*control.Swatch, format.*field.Color);
    else if (control.Edit)
      (this->*control.Edit)->SetText(format.*field.Text);
  }
  // A set that is not in the list leaves the selector empty; the name is kept.
  shownTemplate_ = MenuDoc->Template;
  shownTemplateIndex_ = TemplateIndex(cbTemplates, MenuDoc->Template);
  cbTemplates->setCurrentIndex(shownTemplateIndex_);
  showingSettings_ = false;
}

void Tmainform::SetSettings() { SettingsInto(*MenuDoc); }

void Tmainform::SettingsInto(TMenuFormat& doc) const {
  TMenuFormat& format = doc;
  for (std::size_t i = 0; i < FormatFields.size(); ++i) {
    const FormatField& field = FormatFields[i];
    const TFieldControl& control = kFieldControls[i];
    if (control.Swatch)
      format.*field.Color = (this->*control.Swatch)->Color();
    else if (control.Edit)
      format.*field.Text = (this->*control.Edit)->Text();
  }
  // Unless the user chose another set, the name stays as the menu spelled it.
  const int chosen = cbTemplates->currentIndex();
  doc.Template = chosen < 0 || chosen == shownTemplateIndex_ ? shownTemplate_ : FromQ(cbTemplates->currentText());
}

// ---- Commands ----

void Tmainform::colorclick(TColorPanel* sender) {
  Guard([&] {
    std::int32_t color = sender->Color();
    if (!dialogs_->ExecuteColor(color)) return;
    sender->SetColor(color);
    sender->setText(QString());
  });
}

void Tmainform::Button10Click() { SetColor(Panel1, clNone); }
void Tmainform::Button11Click() { SetColor(Panel2, clNone); }
void Tmainform::Button4Click() { SetColor(Panel3, clNone); }
void Tmainform::Button6Click() { SetColor(Panel7, clNone); }
void Tmainform::Button7Click() { SetColor(Panel4, clNone); }
void Tmainform::Button8Click() { SetColor(Panel5, clNone); }
void Tmainform::Button9Click() { SetColor(Panel6, clNone); }

// Fonts form a list as a style sheet reads it: "Verdana, sans-serif".
void Tmainform::Fontclick(TEdit* sender) {
  const QString font = cbfont->currentText().trimmed();
  if (font.isEmpty()) return;
  QString list = sender->text().trimmed();
  if (list.endsWith(QLatin1Char(','))) list.chop(1);
  sender->setText(list.isEmpty() ? font : list + QStringLiteral(", ") + font);
  RecordFormatting();  // the box has the focus after the double-click
}

}  // namespace navforge
