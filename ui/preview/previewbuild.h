#pragma once
// One generation for the preview: the pages "HTML Menü erstellen" would write for a
// copy of the window's state, under the names the engine asks for. Only the pages
// looked at are rendered (each holds the whole menu, so a large menu's site is large);
// the worker renders the main page and the selected entry's page, the rest follow on
// first request, all by the generation's own run.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/menudocument.h"

namespace navforge {
class GenerationRun;
}

namespace navforge::preview {

// The window's state as generation would see it; the preview's own copy.
struct TPreviewState {
  TovHTML Doc;  // MenuFile names the menu's file, as generation is given it
  int Selected = -1;                 // the selected entry, -1 for none
};

// A page of the site with the menu set in, in the page's own encoding.
struct TSitePage {
  QByteArray Bytes;
  bool Utf8 = false;
};

class TPreviewBuild {
public:
  // Generates; never writes a file and never changes the state it was given.
  explicit TPreviewBuild(std::shared_ptr<const TPreviewState> state);
  ~TPreviewBuild();

  QString Problem;               // a German line when there is nothing to show
  std::filesystem::path Folder;  // the output file's folder on disk
  bool ServesFolder = false;     // its files may be shown (see IsServableSiteFolder)
  QString FolderNote;            // why they are not, in German
  QStringList PageNames;         // relative to Folder, in the order generation writes them; the main page first
  bool Utf8 = false;
  std::string SetFolder;  // the template set's folder (file-system name), watched for changes

  // The page's bytes, rendered on first use (on one thread at a time); nullptr for a
  // name that is no generated page.
  const QByteArray* Page(const QString& name) const;
  // A page of the served site folder (no generated page) that holds the markers, with
  // the menu set in for it as "In Seiten einsetzen" would write it; read on first use,
  // never written. nullptr for any other name.
  const TSitePage* SitePage(const QString& name) const;
  // The page that shows entry index (-1: none): the site page its link names when that
  // holds the markers, else its group's sub-menu page in a one-file-per-entry set,
  // otherwise the main page. Empty when there is no page.
  QString PageForEntry(int index) const;

private:
  std::shared_ptr<const TPreviewState> state_;
  std::unique_ptr<GenerationRun> run_;
  std::map<QString, std::size_t> pageIndex_;  // into the plan; a name written twice keeps the later page, as on disk
  mutable std::map<QString, QByteArray> rendered_;
  mutable std::map<QString, std::optional<TSitePage>> sitePages_;  // nothing: no marked page
};

}  // namespace navforge::preview
