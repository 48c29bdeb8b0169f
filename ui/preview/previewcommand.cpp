#include "ui/preview/previewcommand.h"

#include <QAction>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <unistd.h>

#include "core/pagefiles.h"
#include "support/cp1252literal.h"
#include "support/locations.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "ui/formparts.h"
#include "ui/mainform.h"
#include "ui/preview/previewwindow.h"
#include "ui/preview/sitefolder.h"
#include "ui/qtext.h"
#include "ui/windowplace.h"

static void InitPreviewGlyphs() { Q_INIT_RESOURCE(preview); }

namespace navforge {
namespace {

// Narrower, the preview's bar of widths and pages would not fit.
constexpr int kMinimumWidth = 480;

// The window's size and place, in the user's config folder beside the user's variables.
QString SettingsFile() {
  const std::string folder = UserConfigFolder();
  return folder.empty() ? QString() : PathToQ(folder + "vorschau.ini");
}

// The engine refuses to run as root with its sandbox, and ends the whole program when
// asked to; the preview says so instead (someone who turned the sandbox off knowingly,
// as the tests under Xvfb do, gets the preview).
bool EngineWouldEndTheProgram() {
  if (::geteuid() != 0) return false;
  return qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX") &&
         !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QStringLiteral("--no-sandbox"));
}

// Beside the editor on its screen, so neither hides the other; the size the window
// kept from last time where the screen has room for it.
void PlaceBesideTheForm(QWidget& form, QWidget& window) {
  QScreen* screen = form.screen();
  if (!screen) return;
  const QRect main = form.frameGeometry();
  const QMargins frame(form.geometry().left() - main.left(), form.geometry().top() - main.top(),
                       main.right() - form.geometry().right(), main.bottom() - form.geometry().bottom());
  const QSize wanted = window.size().grownBy(frame);
  const TBesidePlace place = PlaceBeside(screen->availableGeometry(), main, wanted, kMinimumWidth);
  if (place.MainTopLeft != main.topLeft()) form.move(place.MainTopLeft);
  window.setGeometry(place.Window.marginsRemoved(frame));
}

}  // namespace

QAction* AddPreviewCommand(Tmainform& form) {
  InitPreviewGlyphs();
  preview::TPreviewSource source;
  source.Snapshot = [&form] {
    auto state = std::make_unique<preview::TPreviewState>();
    state->Doc = *form.MenuDoc;
    form.SettingsInto(state->Doc);
    state->Doc.MenuFile = form.CurrentFile;  // as the generate command gives it
    return state;
  };
  source.SelectedEntry = [&form] { return form.SelectedIndex(); };

  QToolBar* bar = form.TBToolbar1;
  const QList<QAction*> actions = bar->actions();
  const qsizetype at = actions.indexOf(form.TBItem5);
  QAction* action = new QAction(QIcon(QStringLiteral(":/preview/eye.svg")), QStringLiteral("Vorschau"), bar);
  action->setObjectName(QStringLiteral("BtnPreview"));
  action->setToolTip(QStringLiteral("Vorschau"));
  action->setCheckable(true);
  action->setShortcut(QKeySequence(Qt::Key_F5));
  bar->insertAction(at + 1 < actions.size() ? actions[at + 1] : nullptr, action);
  if (QWidget* button = bar->widgetForAction(action)) {
    button->setObjectName(QStringLiteral("BtnPreviewButton"));
    button->setFocusPolicy(Qt::TabFocus);
    if (auto* tool = qobject_cast<QToolButton*>(button)) RaiseWhileFocused(tool);
    QWidget::setTabOrder(bar->widgetForAction(form.TBItem5), button);  // in the Tab order where it stands
  }

  // The engine starts with the first preview window, not with the program.
  auto window = std::make_shared<QPointer<preview::TPreviewWindow>>();
  QObject::connect(action, &QAction::toggled, &form, [&form, action, window, source](bool on) {
    if (!*window) {
      if (!on) return;
      if (EngineWouldEndTheProgram()) {
        action->setChecked(false);
        ShowMessage("Die Vorschau startet nicht mit Administratorrechten: ihr Browser-Modul liefe dann ohne "
                    "Schutz vor den Seiten. Starten Sie Navforge als normaler Benutzer."_cp1252);
        return;
      }
      auto* w = new preview::TPreviewWindow(source, SettingsFile(), &form);
      *window = w;
      QObject::connect(w, &preview::TPreviewWindow::VisibilityChanged, action, &QAction::setChecked);
      QObject::connect(&form, &Tmainform::StateChanged, w, &preview::TPreviewWindow::StateChanged);
      QObject::connect(form.ListBox1, &QListWidget::itemSelectionChanged, w,
                       &preview::TPreviewWindow::SelectionChanged);
    }
    preview::TPreviewWindow* w = *window;
    if (on == w->isVisible()) return;
    if (on) {
      PlaceBesideTheForm(form, *w);
      w->show();
      w->raise();
    } else {
      w->close();
    }
  });

  // After "HTML Menü erstellen" (connected after the form's own command, so it runs
  // second): the pages the generation reported, counted as they are written.
  auto written = std::make_shared<std::vector<std::string>>();
  form.PageWritten = [written](const std::string& path) { written->push_back(path); };
  QObject::connect(form.TBItem5, &QAction::triggered, &form, [&form, window, written] {
    const std::vector<std::string> pages = std::move(*written);
    written->clear();
    if (pages.empty() || !*window || !(*window)->isVisible()) return;
    const std::filesystem::path folder = preview::OutputFolder(form.MenuDoc->Filename, form.CurrentFile);
    const QString main = PathToQ(PageFile(ExtractFilePath(form.CurrentFile), pages.front()));
    (*window)->ShowWritten(static_cast<int>(pages.size()), PathToQ(folder.string()), main);
  });
  return action;
}

}  // namespace navforge
