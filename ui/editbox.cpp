#include "ui/editbox.h"

#include "ui/qtext.h"

namespace navforge {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) { setValidator(new TCp1252Validator(this)); }

std::string TEdit::Text() const { return FromQ(text()); }
void TEdit::SetText(const std::string& cp1252) { setText(ToQ(cp1252)); }

void TEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

}  // namespace navforge
