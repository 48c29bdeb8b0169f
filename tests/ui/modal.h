#pragma once
// Looks at the modal dialog a call shows, then closes it.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace navforge::test {

// Runs show(); once a modal dialog is up, runs look(dialog) and then rejects the dialog
// unless look closed it.
template <typename Show, typename Look> void WithModal(Show show, Look look) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (seen || !w || !w->isVisible()) return;
    seen = true;
    look(w);
    if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->reject();
  });
  poll.start();
  show();
  poll.stop();
  EXPECT_TRUE(seen) << "no dialog was shown";
}

}  // namespace navforge::test
