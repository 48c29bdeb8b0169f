#pragma once
// The menu's undo history: every change of the document is one step that holds the
// menu as it was before and after. A state shares the parts a step left alone with
// the state before it, so a formatting step on a large menu copies no entry.
#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>

#include "persist/menuitems.h"
#include "persist/settings.h"
#include "persist/vars.h"

namespace navforge {

// The document as a value: entries, variables and formatting values.
struct TMenuState {
  std::shared_ptr<const TMenutree> Items;
  std::shared_ptr<const TVarList> Variables;
  std::shared_ptr<const TMenuFormat> Format;
};

// What the user sees of an entry (the identifier is made anew at every generation).
bool SameEntries(const TMenutree& a, const TMenutree& b);
bool SameVariables(const TVarList& a, const TVarList& b);
bool SameFormat(const TMenuFormat& a, const TMenuFormat& b);

// The step's name for the formatting fields that differ between a and b: "Titel
// ändern", "Linkfarbe ändern", "Formatierung ändern" for several.
QString FormatStepText(const TMenuFormat& a, const TMenuFormat& b);

class TUndoHistory : public QUndoStack {
  Q_OBJECT
public:
  // restore(state, selected) shows a state again, with the entry to select (-1 none).
  using Restore = std::function<void(const TMenuState&, int selected)>;
  TUndoHistory(Restore restore, QObject* parent);

  // The document as the newest step (or the last Reset) left it.
  const TMenuState& Current() const { return current_; }
  // Another menu: no steps, and this state is the saved one.
  void Reset(TMenuState state);
  // One step from Current to after, named text; nothing when after holds what Current
  // holds. selectedBefore and selectedAfter are the entry selections undo and redo
  // bring back. Returns whether a step was made.
  bool Record(const QString& text, TMenuState after, int selectedBefore, int selectedAfter);

private:
  class TStep;
  void Show(const TMenuState& state, int selected);

  Restore restore_;
  TMenuState current_;
};

}  // namespace navforge
