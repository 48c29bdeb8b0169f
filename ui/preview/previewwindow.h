#pragma once
// "Vorschau": a window of its own that shows what "HTML Menü erstellen" would write
// (or the selected entry's own marked site page with the menu set in), generated into
// memory from the window's current state and refreshed shortly after each change, with
// a list of the generated pages and buttons for common widths.
#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/preview/previewbuild.h"

class QButtonGroup;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QStackedWidget;
class QTimer;
class QWebEngineView;

namespace navforge::preview {

class TPreviewGenerator;
class TPreviewPage;
class TPreviewRequestGuard;
class TPreviewSchemeHandler;

// What the preview reads from the window it belongs to.
struct TPreviewSource {
  std::function<std::unique_ptr<TPreviewState>()> Snapshot;  // a copy, taken on the event thread
  std::function<int()> SelectedEntry;                          // -1 for none
};

class TPreviewWindow : public QWidget {
  Q_OBJECT
public:
  // settingsFile: where the window keeps its size and place (an INI file; "" for nowhere).
  TPreviewWindow(TPreviewSource source, QString settingsFile, QWidget* parent = nullptr);
  ~TPreviewWindow() override;

  // After "HTML Menü erstellen": how many pages were written, and where.
  void ShowWritten(int count, const QString& folder, const QString& mainPage);

  QComboBox* PageList = nullptr;
  QButtonGroup* Widths = nullptr;  // ids: the width in CSS pixels, 0 for "Fenster"
  QStackedWidget* Stack = nullptr;
  QWebEngineView* View = nullptr;
  QLabel* Problem = nullptr;
  QLabel* Feedback = nullptr;
  QLabel* Notes = nullptr;  // what the preview does not show, and why

  // The last shown page's name ("" while a problem shows) and generation.
  QString ShownPage() const { return shownPage_; }
  std::shared_ptr<const TPreviewBuild> LastBuild() const { return build_; }
  TPreviewSchemeHandler* Handler() const { return handler_; }
  // Milliseconds from the first change after the last refresh to the page loaded, and
  // to the second animation frame painted after it (the page on the screen).
  qint64 LastLatency = -1;
  qint64 LastPaintedLatency = -1;

public slots:
  void StateChanged();
  void SelectionChanged();
  void SetViewWidth(int cssPixels);

signals:
  void VisibilityChanged(bool visible);
  void Refreshed();  // a page or a problem line is shown for the newest state
  void Painted();    // and, for a page, painted (LastPaintedLatency)

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // Notes a click or key press in the view: only then may a link leave the preview.
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Generate();
  void OnBuilt(std::shared_ptr<const TPreviewBuild> build);
  void ShowPage(const QString& name);
  void LoadPage(const QString& name, std::optional<std::string> text);
  void PageInPlace();  // the newest page is shown: latency, painted frame, Refreshed
  void ShowProblem(const QString& text);
  void ShowNotes();
  void WatchSet(const std::string& folder);
  void SaveGeometry() const;

  TPreviewSource source_;
  QString settingsFile_;
  TPreviewSchemeHandler* handler_ = nullptr;
  TPreviewRequestGuard* guard_ = nullptr;
  TPreviewPage* page_ = nullptr;
  TPreviewGenerator* generator_ = nullptr;
  QTimer* debounce_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  QString watchedSet_;
  std::shared_ptr<const TPreviewBuild> build_;
  QString shownPage_;
  QString chosenPage_;  // picked from the list; kept until the selection changes
  std::optional<std::string> shownText_;    // the text the live page shows (none: unknown, load anew)
  std::optional<std::string> loadingText_;  // the text of the page being loaded
  bool patching_ = false;
  bool closing_ = false;
  QString afterPatch_;   // the page to show once the running patch is done
  bool changePending_ = false;
  QElapsedTimer sinceChange_;
  QElapsedTimer sincePaintedChange_;  // the same change, until the page is painted
};

}  // namespace navforge::preview
