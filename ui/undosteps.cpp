// "Rückgängig" and "Wiederholen": the form's side of the undo history. Every command
// that changes the document records one step after its change; undo and redo show the
// state of the step again, in every control, with the entry selected then.
#include <QAction>
#include <QToolBar>

#include "ui/editbox.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

const QString kUndo = QStringLiteral("Rückgängig");
const QString kRedo = QStringLiteral("Wiederholen");

// "Rückgängig: Eintrag „Kontakt“ hinzufügen", or the command alone when there is no step.
QString StepHint(const QString& command, const QString& step) {
  return step.isEmpty() ? command : command + QStringLiteral(": ") + step;
}

template <typename T> std::shared_ptr<const T> Shared(const std::shared_ptr<const T>& last, const T& now, bool same) {
  return last && same ? last : std::make_shared<const T>(now);
}

}  // namespace

void Tmainform::CreateUndoCommands() {
  BtnUndo = AddCommand(TBToolbar1, "BtnUndo", "undo", FromQ(kUndo), &Tmainform::UndoClick,
                       {QKeySequence(Qt::ControlModifier | Qt::Key_Z)});
  BtnRedo = AddCommand(TBToolbar1, "BtnRedo", "redo", FromQ(kRedo), &Tmainform::RedoClick,
                       {QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
  BtnUndo->setEnabled(false);
  BtnRedo->setEnabled(false);
  connect(History, &QUndoStack::canUndoChanged, BtnUndo, &QAction::setEnabled);
  connect(History, &QUndoStack::canRedoChanged, BtnRedo, &QAction::setEnabled);
  connect(History, &QUndoStack::undoTextChanged, this,
          [this](const QString& step) { BtnUndo->setToolTip(StepHint(kUndo, step)); });
  connect(History, &QUndoStack::redoTextChanged, this,
          [this](const QString& step) { BtnRedo->setToolTip(StepHint(kRedo, step)); });
  connect(History, &QUndoStack::indexChanged, this, &Tmainform::UpdateModified);
  connect(History, &QUndoStack::cleanChanged, this, &Tmainform::UpdateModified);
}

TMenuState Tmainform::StateNow(bool share) const {
  const TMenuState& last = History->Current();
  TMenuFormat format;
  SettingsInto(format);
  TMenuState now;
  now.Items = Shared(last.Items, MenuDoc->Items, share && last.Items && SameEntries(*last.Items, MenuDoc->Items));
  now.Variables = Shared(last.Variables, MenuDoc->Variables.Vars,
                         share && last.Variables && SameVariables(*last.Variables, MenuDoc->Variables.Vars));
  now.Format = Shared(last.Format, format, share && last.Format && SameFormat(*last.Format, format));
  return now;
}

void Tmainform::ResetHistory() {
  History->Reset(StateNow(false));
  UpdateModified();
}

void Tmainform::RestoreState(const TMenuState& state, int selected) {
  Guard([&] {
    MenuDoc->Items = *state.Items;
    MenuDoc->Variables.Vars = *state.Variables;
    static_cast<TMenuFormat&>(*MenuDoc) = *state.Format;
    GetSettings();
    FillItemList();
    FillGrid();
    if (selected >= static_cast<int>(MenuDoc->Items.size())) selected = -1;
    SelectIndex(selected);
    if (selected >= 0) ListBox1->scrollToItem(ListBox1->item(selected));
    // The boxes show the entry the step selected, as after a click on it.
    if (selected >= 0)
      ShowInBoxes(selected);
    else
      boxesFrom_ = -1;
  });
}

void Tmainform::RecordFormatting() {
  const TMenuState& last = History->Current();
  TMenuFormat format;
  SettingsInto(format);
  if (SameFormat(*last.Format, format)) return UpdateModified();
  const int selected = SelectedIndex();
  History->Record(FormatStepText(*last.Format, format),
                  TMenuState{last.Items, last.Variables, std::make_shared<const TMenuFormat>(format)}, selected, selected);
}

void Tmainform::RecordStep(const QString& text, int selectedBefore) {
  RecordFormatting();
  if (!History->Record(text, StateNow(), selectedBefore, SelectedIndex())) UpdateModified();
}

void Tmainform::UpdateModified() {
  TMenuFormat format;
  SettingsInto(format);
  const bool modified = !History->isClean() || !SameFormat(*History->Current().Format, format);
  if (modified == Modified) return;
  Modified = modified;
  ApplyTitleRule();
}

// Texts typed into the entry boxes are asked about first: the step shows another
// entry's texts there. Applied, they are the newest step, which undo would take back
// at once, so the command ends there.
void Tmainform::UndoClick() {
  const int steps = History->index();
  if (!TypingHandled() || History->index() != steps) return;
  RecordFormatting();  // a value typed into a box not yet left goes back first
  History->undo();
}

// A value typed and not yet left becomes a step, too, rather than being replaced
// unseen; the steps ahead are gone then, as after any change.
void Tmainform::RedoClick() {
  const int steps = History->index();
  if (!TypingHandled() || History->index() != steps) return;
  RecordFormatting();
  History->redo();
}

}  // namespace navforge
