#pragma once
// Waiting on the web engine in the preview's tests: events are handled while waiting.
#include <QApplication>
#include <QElapsedTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

namespace navforge::test {

inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// The value of a script in the shown page.
inline QVariant RunJs(QWebEngineView* view, const QString& script, int ms = 5000) {
  QVariant result;
  bool done = false;
  view->page()->runJavaScript(script, [&](const QVariant& v) {
    result = v;
    done = true;
  });
  WaitFor([&] { return done; }, ms);
  return result;
}

}  // namespace navforge::test
