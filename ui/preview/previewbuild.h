#pragma once
// One generation for the preview: the pages "HTML Menü erstellen" would write for a
// copy of the window's state, kept in memory under the names the engine asks for.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/ovhtml.h"

namespace navforge::preview {

// The window's state as generation would see it; the preview's own copy.
struct TPreviewState {
  TovHTML Doc;
  std::filesystem::path BaseFolder;  // a relative output file name is taken against it
};

struct TPreviewBuild {
  QString Problem;                 // a German line when there is nothing to show
  std::filesystem::path Folder;    // the output file's folder on disk
  QStringList PageNames;           // in the order generation writes them; the first is the main page
  std::map<QString, QByteArray> Pages;  // by name, relative to Folder
  bool Utf8 = false;
  std::vector<std::string> LinkIDs;
  std::vector<bool> IsSubItem;     // per entry, to find an entry's page
  std::vector<bool> HasSubItems;
  bool AllInOne = true;
  std::string SubmenuExt;
  std::string SetFolder;           // the template set's folder (file-system name), watched for changes
};

// Generates into memory; never writes a file and never changes state.Doc's entries.
TPreviewBuild BuildPreview(const TPreviewState& state);

// The page that shows entry index (-1: none): its group's sub-menu page in a
// one-file-per-entry set, otherwise the main page. Empty when there is no page.
QString PageForEntry(const TPreviewBuild& build, int index);

}  // namespace navforge::preview
