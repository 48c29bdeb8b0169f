// Where a finding of "Prüfen" about no entry leads: the control of the value it is
// about, on its page, with the focus in it.
#include <QComboBox>
#include <QTabWidget>
#include <QTableWidget>
#include <string_view>

#include "support/cp1252literal.h"
#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "ui/mainform.h"

namespace navforge {
namespace {

using Control = QWidget* (*)(const Tmainform&);

struct TFindingField {
  std::string_view Code;
  Control Field;
};

QWidget* OutputFile(const Tmainform& f) { return f.efilename; }
QWidget* TemplateSet(const Tmainform& f) { return f.cbTemplates; }
QWidget* NewVariable(const Tmainform& f) { return f.Edit1; }
QWidget* Variables(const Tmainform& f) { return f.StringGrid1; }
QWidget* Background(const Tmainform& f) { return f.Panel2; }

// The page problems that name no entry are about the main page, named by the output file.
constexpr TFindingField kFields[] = {
    {"kein-dateiname", OutputFile},
    {"ausgabeordner-fehlt", OutputFile},
    {"seite-ueberschreibt-seite", OutputFile},
    {"seite-ueberschreibt-menue", OutputFile},
    {"seite-verlaesst-ordner", OutputFile},
    {"seite-versteckt", OutputFile},
    {"seite-ueberschreibt-fremde-datei", OutputFile},
    {"seitenname-zu-lang", OutputFile},
    {"seite-nicht-erzeugbar", OutputFile},
    {"kein-template", TemplateSet},
    {"template-fehlt", TemplateSet},
    {"template-unlesbar", TemplateSet},
    {"platzhalter-ungefuellt", NewVariable},
    {"variable-unbenutzt", Variables},
    {"variable-ohne-wirkung", Variables},
    {"variable-enthaelt-sich", Variables},
    {"kontrast-zu-gering", Background},
};

// The contrast finding names its foreground colour first; the background is the other half.
QWidget* ContrastSwatch(const Tmainform& f, const std::string& text) {
  const std::pair<std::string_view, TColorPanel*> names[] = {
      {"Textfarbe", f.Panel1}, {"Linkfarbe", f.Panel3}, {"Farbe besuchter Links", f.Panel4},
      {"Farbe des ersten Buchstabens", f.Panel7}};
  for (const auto& [name, swatch] : names)
    if (std::string_view(text).substr(0, name.size()) == name) return swatch;
  return f.Panel2;
}

}  // namespace

void Tmainform::ShowFieldOf(const std::string& code, const std::string& text) {
  QWidget* target = nullptr;
  for (const TFindingField& field : kFields)
    if (field.Code == code) target = field.Field(*this);
  if (!target) return;
  if (code == "kontrast-zu-gering") target = ContrastSwatch(*this, text);
  // A variable finding names its variable in quotes: that row is the one to look at.
  if (target == StringGrid1)
    for (std::size_t i = 0; i < MenuDoc->Variables.Vars.size(); ++i)
      if (text.find("„"_cp1252 + MenuDoc->Variables.Vars[i].Name + "“"_cp1252) != std::string::npos) {
        SetGridRow(static_cast<int>(i) + 1);
        break;
      }
  PageControl1->setCurrentWidget(TabSheet4);
  for (QWidget* sheet : {TabSheet3, TabSheet5, TabSheet6})
    if (sheet->isAncestorOf(target)) PageControl2->setCurrentWidget(sheet);
  activateWindow();
  raise();
  target->setFocus(Qt::OtherFocusReason);
}

}  // namespace navforge
