#include "ui/preview/previewwindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QApplication>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <utility>

#include "ui/preview/pagepatch.h"
#include "ui/preview/previewgenerator.h"
#include "ui/preview/previewguard.h"
#include "ui/preview/previewpage.h"
#include "ui/preview/previewscheme.h"

namespace navforge::preview {
namespace {

// A change is shown one event-loop turn or so later: changes that come together (a
// command that touches several fields) make one page, and a build still running takes
// the newest state when it ends, so fast typing never queues pages.
constexpr int kDebounceMs = 20;

}  // namespace

TPreviewWindow::TPreviewWindow(TPreviewSource source, QString settingsFile, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(std::move(source)), settingsFile_(std::move(settingsFile)) {
  setObjectName(QStringLiteral("PreviewWindow"));
  setWindowTitle(QStringLiteral("Vorschau"));
  resize(1060, 720);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  auto* pageLabel = new QLabel(QStringLiteral("Seite:"), this);
  PageList = new QComboBox(this);
  PageList->setObjectName(QStringLiteral("PageList"));
  PageList->setAccessibleName(QStringLiteral("Seite"));
  PageList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  pageLabel->setBuddy(PageList);
  bar->addWidget(pageLabel);
  bar->addWidget(PageList);
  bar->addStretch(1);
  Widths = new QButtonGroup(this);
  for (int width : {375, 768, 1024, 0}) {
    auto* button = new QToolButton(this);
    button->setText(width ? QString::number(width) : QStringLiteral("Fenster"));
    button->setToolTip(width ? QStringLiteral("Breite %1 CSS-Pixel").arg(width) : QStringLiteral("Breite des Fensters"));
    button->setCheckable(true);
    button->setObjectName(QStringLiteral("Width%1").arg(width ? QString::number(width) : QStringLiteral("Fenster")));
    Widths->addButton(button, width);
    bar->addWidget(button);
  }
  Widths->button(0)->setChecked(true);
  layout->addLayout(bar);

  auto* profile = new QWebEngineProfile(this);  // off the record: nothing of the preview stays on disk
  profile->setHttpCacheType(QWebEngineProfile::NoCache);
  handler_ = new TPreviewSchemeHandler(this);
  profile->installUrlSchemeHandler(kScheme, handler_);
  guard_ = new TPreviewRequestGuard(this);
  profile->setUrlRequestInterceptor(guard_);
  Stack = new QStackedWidget(this);
  auto* holder = new QWidget(Stack);
  auto* holderLayout = new QHBoxLayout(holder);
  holderLayout->setContentsMargins(0, 0, 0, 0);
  View = new QWebEngineView(holder);
  View->setObjectName(QStringLiteral("PreviewView"));
  page_ = new TPreviewPage(profile, View);
  View->setPage(page_);
  // A page made from someone else's menu reaches nothing but the preview's own scheme.
  QWebEngineSettings* settings = page_->settings();
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
  qApp->installEventFilter(this);
  holderLayout->addWidget(View, 1);
  Problem = new QLabel(Stack);
  Problem->setObjectName(QStringLiteral("Problem"));
  Problem->setAlignment(Qt::AlignCenter);
  Problem->setWordWrap(true);
  Problem->setTextFormat(Qt::PlainText);
  Stack->addWidget(holder);
  Stack->addWidget(Problem);
  layout->addWidget(Stack, 1);
  Notes = new QLabel(this);
  Notes->setObjectName(QStringLiteral("Notes"));
  Notes->setWordWrap(true);
  Notes->setTextFormat(Qt::PlainText);  // it names folders of someone else's menu
  Notes->hide();
  layout->addWidget(Notes);
  Feedback = new QLabel(this);
  Feedback->setObjectName(QStringLiteral("Feedback"));
  Feedback->setTextFormat(Qt::RichText);
  Feedback->setTextInteractionFlags(Qt::TextBrowserInteraction);
  Feedback->hide();
  layout->addWidget(Feedback);

  generator_ = new TPreviewGenerator(this);
  debounce_ = new QTimer(this);
  debounce_->setSingleShot(true);
  debounce_->setInterval(kDebounceMs);
  watcher_ = new QFileSystemWatcher(this);

  connect(debounce_, &QTimer::timeout, this, &TPreviewWindow::Generate);
  connect(guard_, &TPreviewRequestGuard::RequestRefused, this, &TPreviewWindow::ShowNotes, Qt::QueuedConnection);
  connect(generator_, &TPreviewGenerator::Built, this, &TPreviewWindow::OnBuilt);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &TPreviewWindow::StateChanged);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &TPreviewWindow::StateChanged);
  connect(Widths, &QButtonGroup::idClicked, this, &TPreviewWindow::SetViewWidth);
  connect(PageList, &QComboBox::activated, this, [this](int index) {
    chosenPage_ = PageList->itemText(index);
    ShowPage(chosenPage_);
  });
  connect(Feedback, &QLabel::linkActivated, this, [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
  connect(View, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
    // A link followed inside the preview: the list names the page now shown.
    if (url.scheme() != QLatin1String(kScheme)) return;
    const QString name = url.path(QUrl::FullyDecoded).mid(1);
    if (name == shownPage_) return;
    chosenPage_ = shownPage_ = name;  // kept through refreshes like a page picked from the list
    shownText_.reset();
    loadingText_.reset();
    const int index = PageList->findText(name);
    if (index >= 0) PageList->setCurrentIndex(index);
  });
  connect(View, &QWebEngineView::loadFinished, this, [this](bool ok) {
    // Only a page loaded whole from a known text can be patched later.
    shownText_ = ok ? loadingText_ : std::nullopt;
    PageInPlace();
  });
  connect(page_, &TPreviewPage::FramePainted, this, [this] {
    if (changePending_ || generator_->Busy()) return;
    if (sincePaintedChange_.isValid()) LastPaintedLatency = sincePaintedChange_.elapsed();
    sincePaintedChange_.invalidate();
    emit Painted();
  });

  if (!settingsFile_.isEmpty())
    restoreGeometry(QSettings(settingsFile_, QSettings::IniFormat).value(QStringLiteral("Vorschau/Geometrie")).toByteArray());
}

// The page goes before the profile it was made with.
TPreviewWindow::~TPreviewWindow() {
  closing_ = true;  // the engine may still answer a running patch while it goes
  delete View;
}

void TPreviewWindow::SaveGeometry() const {
  if (settingsFile_.isEmpty()) return;
  QDir().mkpath(QFileInfo(settingsFile_).absolutePath());
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.setValue(QStringLiteral("Vorschau/Geometrie"), saveGeometry());
}

void TPreviewWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  StateChanged();
  emit VisibilityChanged(true);
}

void TPreviewWindow::hideEvent(QHideEvent* event) {
  SaveGeometry();
  QWidget::hideEvent(event);
  emit VisibilityChanged(false);
}

void TPreviewWindow::StateChanged() {
  if (!isVisible()) return;  // a hidden preview costs nothing while the user types
  if (!sinceChange_.isValid()) sinceChange_.start();
  if (!sincePaintedChange_.isValid()) sincePaintedChange_.start();
  changePending_ = true;
  debounce_->start();
}

void TPreviewWindow::SelectionChanged() {
  chosenPage_.clear();
  if (!build_ || !build_->Problem.isEmpty() || !isVisible()) return;
  const QString page = build_->PageForEntry(source_.SelectedEntry());
  if (page != shownPage_) ShowPage(page);
}

void TPreviewWindow::Generate() {
  changePending_ = false;
  std::unique_ptr<TPreviewState> state = source_.Snapshot();
  state->Selected = source_.SelectedEntry();
  generator_->Request(std::move(state));
}

void TPreviewWindow::OnBuilt(std::shared_ptr<const TPreviewBuild> build) {
  build_ = build;
  handler_->SetBuild(build);
  WatchSet(build->SetFolder);
  if (!build->Problem.isEmpty()) {
    ShowProblem(build->Problem);
    return;
  }
  QStringList listed;
  for (int i = 0; i < PageList->count(); ++i) listed << PageList->itemText(i);
  if (listed != build->PageNames) {
    PageList->clear();
    PageList->addItems(build->PageNames);
  }
  const QString page = !chosenPage_.isEmpty() && build->Page(chosenPage_) ? chosenPage_
                                                                         : build->PageForEntry(source_.SelectedEntry());
  ShowPage(page);
}

void TPreviewWindow::ShowPage(const QString& name) {
  // One patch at a time: the next compares with what the last one left.
  if (patching_) {
    afterPatch_ = name;
    return;
  }
  Stack->setCurrentIndex(0);
  // A site page is no generated page: the list then names none.
  PageList->setCurrentIndex(PageList->findText(name));
  std::optional<std::string> text = build_ ? PageText(*build_, name) : std::nullopt;
  std::optional<PageDiff> diff;
  if (name == shownPage_ && shownText_ && text) diff = DiffPages(*shownText_, *text);
  if (!diff) {
    LoadPage(name, std::move(text));
    return;
  }
  ShowNotes();
  if (diff->Edits.empty()) {
    shownText_ = std::move(text);
    PageInPlace();
    return;
  }
  patching_ = true;
  page_->runJavaScript(PatchScript(*diff), QWebEngineScript::ApplicationWorld,
                       [this, name, text = std::move(text)](const QVariant& patched) mutable {
                         if (closing_) return;
                         patching_ = false;
                         if (patched.toBool()) {
                           shownText_ = std::move(text);
                           PageInPlace();
                         } else {
                           LoadPage(name, std::move(text));
                         }
                         if (!afterPatch_.isNull()) ShowPage(std::exchange(afterPatch_, QString()));
                       });
}

void TPreviewWindow::PageInPlace() {
  if (sinceChange_.isValid()) LastLatency = sinceChange_.elapsed();
  sinceChange_.invalidate();
  if (!changePending_ && !generator_->Busy()) {
    page_->ReportPaintedFrame();
    emit Refreshed();
  }
}

void TPreviewWindow::LoadPage(const QString& name, std::optional<std::string> text) {
  guard_->Reset();
  ShowNotes();
  // The same page again keeps its scroll position.
  const QPointF scroll = name == shownPage_ ? View->page()->scrollPosition() : QPointF();
  shownPage_ = name;
  shownText_.reset();
  loadingText_ = std::move(text);
  View->load(PageUrl(name));
  if (!scroll.isNull()) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(View, &QWebEngineView::loadFinished, this, [this, scroll, connection](bool) {
      disconnect(*connection);
      View->page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);").arg(scroll.x()).arg(scroll.y()));
    });
  }
}

void TPreviewWindow::ShowNotes() {
  QStringList notes;
  if (build_ && !build_->FolderNote.isEmpty()) notes << build_->FolderNote;
  if (const int refused = guard_->Refused(); refused > 0)
    notes << (refused == 1 ? QStringLiteral("1 Anfrage an eine Adresse außerhalb der Vorschau wurde blockiert")
                           : QStringLiteral("%1 Anfragen an Adressen außerhalb der Vorschau wurden blockiert").arg(refused)) +
                 QStringLiteral(" (etwa Schriften, Bilder oder Skripte aus dem Netz); die Seite kann darum anders "
                                "aussehen als im Browser.");
  Notes->setText(notes.join(QLatin1Char('\n')));
  Notes->setVisible(!notes.isEmpty());
}

bool TPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::TouchBegin)
    if (auto* widget = qobject_cast<QWidget*>(watched); widget && (widget == View || View->isAncestorOf(widget)))
      page_->NoteUserInput();
  return QWidget::eventFilter(watched, event);
}

void TPreviewWindow::ShowProblem(const QString& text) {
  shownPage_.clear();
  shownText_.reset();
  Notes->hide();  // they speak of a page, and none is shown
  Problem->setText(text);
  Stack->setCurrentIndex(1);
  if (sinceChange_.isValid()) LastLatency = sinceChange_.elapsed();
  sinceChange_.invalidate();
  if (!changePending_ && !generator_->Busy()) {
    LastPaintedLatency = LastLatency;
    sincePaintedChange_.invalidate();
    emit Refreshed();
    emit Painted();
  }
}

void TPreviewWindow::WatchSet(const std::string& folder) {
  const QString set = QString::fromStdString(folder);
  QStringList watched = watcher_->files() + watcher_->directories();
  if (set != watchedSet_) {
    if (!watched.isEmpty()) watcher_->removePaths(watched);
    watched.clear();
    watchedSet_ = set;
  }
  if (set.isEmpty()) return;
  // An editor that saves by replacing a file ends the watch on it: each build watches
  // what is missing anew.
  QStringList wanted{set};
  const QDir dir(set);
  for (const QString& file : dir.entryList(QDir::Files)) wanted << dir.filePath(file);
  for (const QString& path : wanted)
    if (!watched.contains(path)) watcher_->addPath(path);
}

void TPreviewWindow::SetViewWidth(int cssPixels) {
  QLayout* holder = View->parentWidget()->layout();
  if (cssPixels > 0) {
    View->setFixedWidth(cssPixels);
    holder->setAlignment(View, Qt::AlignHCenter);
  } else {
    View->setMinimumWidth(0);
    View->setMaximumWidth(QWIDGETSIZE_MAX);
    holder->setAlignment(View, {});
  }
  if (QAbstractButton* button = Widths->button(cssPixels)) button->setChecked(true);
}

void TPreviewWindow::ShowWritten(int count, const QString& folder, const QString& mainPage) {
  const QString pages = count == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(count);
  Feedback->setText(QStringLiteral("%1 geschrieben nach %2 – <a href=\"%3\">Hauptseite im Browser öffnen</a>")
                        .arg(pages, folder.toHtmlEscaped(), QUrl::fromLocalFile(mainPage).toString().toHtmlEscaped()));
  Feedback->show();
}

}  // namespace navforge::preview
