#include "ui/editbox.h"

#include <QKeyEvent>

#include "ui/qtext.h"

namespace navforge {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) { setValidator(new TCp1252Validator(this)); }

std::string TEdit::Text() const { return FromQ(text()); }
void TEdit::SetText(const std::string& cp1252) { setText(ToQ(cp1252)); }

namespace {

bool IsUndoKey(const QKeyEvent* key) { return key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Z); }
bool IsRedoKey(const QKeyEvent* key) {
  return key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
         key->keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

}  // namespace

bool TEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = IsUndoKey(key), redo = IsRedoKey(key);
    if (undo || redo) {
      const bool own = !isReadOnly() && (undo ? isUndoAvailable() : isRedoAvailable());
      event->setAccepted(own);  // not taken: the window's "Rückgängig" or "Wiederholen" runs
      return own;
    }
  }
  return QLineEdit::event(event);
}

// Qt reads Ctrl+Y as redo on some desktops only; here it always is.
void TEdit::keyPressEvent(QKeyEvent* event) {
  if (IsRedoKey(event)) {
    redo();
    return;
  }
  if (IsUndoKey(event)) {
    undo();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

}  // namespace navforge
