// The window with a large menu: how long opening it takes, and each of "Hinzufügen",
// "Nach unten", "Rückgängig" and a drag of a group in the entry list, counted from the
// command to the event loop's return with the window repainted. Prints the figures;
// no test runs it (timings on a shared machine make no test). Build and run:
//   cmake --build --preset dev --target navforge_window_bench
//   QT_QPA_PLATFORM=offscreen build/tests/navforge_window_bench [main entries] [rounds]
#include <QApplication>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "fakedialogs.h"
#include "testsupport/tempdir.h"
#include "ui/application.h"
#include "ui/editbox.h"
#include "ui/mainform.h"
#include "ui/undohistory.h"

namespace {

using namespace navforge;

// Milliseconds from the call to the event loop having nothing left to do.
double Measure(const std::function<void()>& command) {
  QElapsedTimer clock;
  clock.start();
  command();
  QApplication::processEvents();
  return clock.nsecsElapsed() / 1e6;
}

// The list shows line gap already: the drop lands on the upper half of it.
void DropGroup(Tmainform& form, int from, int gap) {
  TEntryList* list = form.ListBox1;
  const QPoint at = list->visualItemRect(list->item(gap)).topLeft() + QPoint(5, 1);
  std::unique_ptr<QMimeData> data(list->DragData(from));
  QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(list->viewport(), &enter);
  QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(list->viewport(), &move);
  QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(list->viewport(), &drop);
}

struct Figures {
  std::vector<double> Add, Move, Undo, Drag;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
double Worst(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  PrepareApplication();
  const int mains = argc > 1 ? std::stoi(argv[1]) : 2000;  // each with three sub-entries: 8,000 entries
  const int rounds = argc > 2 ? std::stoi(argv[2]) : 20;

  test::TempDir tmp(test::TempIn::Memory);
  const std::string prog = tmp.path() + "/prog/";
  test::WriteTemplateSet(prog + "Templates/Set", {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"}});
  TovHTML doc;
  doc.VariablesFile = prog + "navforge.nfv";
  doc.Template = "Set";
  for (int m = 0; m < mains; ++m) {
    const std::string main = "Bereich " + std::to_string(m);
    doc.InsertItem(-1, main, "b" + std::to_string(m) + ".htm", "inhalt", false);
    for (int s = 0; s < 3; ++s)
      doc.InsertItem(-1, main + " Seite " + std::to_string(s), "b" + std::to_string(m) + "s" + std::to_string(s) + ".htm",
                     "inhalt", true);
  }
  const std::string menu = tmp.file("gross.nff");
  doc.SaveToFile(menu);
  const int entries = static_cast<int>(doc.Items.size());

  test::TScriptedDialogs dialogs;
  TMainformOptions options;
  options.ProgramFolder = prog;
  options.VariablesFile = prog + "navforge.nfv";
  options.ModuleFolders = TModuleFolders{"", prog};
  options.Dialogs = &dialogs;
  options.RecentFiles = tmp.file("zuletzt.ini");
  Tmainform form(options);
  form.show();
  QApplication::processEvents();

  const double open = Measure([&] {
    dialogs.OpenAnswers.push_back(menu);
    form.BtnOpen->trigger();
  });
  if (form.ListBox1->count() != entries) {
    std::fprintf(stderr, "the menu did not open\n");
    return 1;
  }

  Figures f;
  for (int r = 0; r < rounds; ++r) {
    const int at = entries / 2 + 4 * r;  // a main entry in the middle of the list
    form.ListBox1->setCurrentRow(at);
    QApplication::processEvents();
    form.menuname->SetText("Neu " + std::to_string(r));
    f.Add.push_back(Measure([&] { form.TBItem8->trigger(); }));
    if (form.ListBox1->count() != entries + 1) {
      std::fprintf(stderr, "nothing was added\n");
      return 1;
    }
    f.Move.push_back(Measure([&] { form.TBItem12->trigger(); }));
    f.Undo.push_back(Measure([&] { form.BtnUndo->trigger(); }));
    f.Undo.push_back(Measure([&] { form.BtnUndo->trigger(); }));
    // The group at at (a main entry with three sub-entries) to a quarter of the list.
    form.ListBox1->setCurrentRow(at);
    form.ListBox1->scrollToItem(form.ListBox1->item(entries / 4));
    QApplication::processEvents();
    f.Drag.push_back(Measure([&] { DropGroup(form, at, entries / 4); }));
    if (form.ListBox1->currentRow() != entries / 4 || !form.History->undoText().endsWith(QStringLiteral("verschieben"))) {
      std::fprintf(stderr, "the drag moved nothing\n");
      return 1;
    }
    form.BtnUndo->trigger();
    QApplication::processEvents();
  }

  std::printf("%d entries (%d main entries with 3 sub-entries each), %d rounds, milliseconds\n", entries, mains, rounds);
  std::printf("open        %8.1f\n", open);
  std::printf("%-11s %8s %8s\n", "", "median", "worst");
  for (auto [name, values] : {std::pair{"add", &f.Add}, std::pair{"move", &f.Move}, std::pair{"undo", &f.Undo},
                              std::pair{"drag", &f.Drag}})
    std::printf("%-11s %8.2f %8.2f\n", name, Median(*values), Worst(*values));
  return 0;
}
