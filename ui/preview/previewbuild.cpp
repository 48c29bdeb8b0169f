#include "ui/preview/previewbuild.h"

#include <cstdlib>
#include <exception>

#include "apply/hostencoding.h"
#include "apply/siteapply.h"
#include "core/generationrun.h"
#include "core/locallink.h"
#include "support/cp1252.h"
#include "support/paths.h"
#include "ui/preview/sitefolder.h"

namespace navforge::preview {
namespace {

QString NameOf(std::string_view path, std::size_t dirLength) {
  return QString::fromStdString(Cp1252ToUtf8(path.substr(dirLength)));
}

// The pages "In Seiten einsetzen" sets the menu into.
bool IsPageName(const QString& name) {
  for (const char* ext : {".htm", ".html", ".shtml", ".xhtml", ".php"})
    if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive)) return true;
  return false;
}

// The file below the output folder that entry index's link names, as the engine asks
// for it; empty for a link that is not local or leaves the folder.
QString LinkedPage(const TovHTML& doc, int index) {
  if (index < 0 || index >= static_cast<int>(doc.Items.size())) return {};
  const std::optional<std::string> file =
      LocalLinkFile(LinkWithVariables(doc.Items[static_cast<std::size_t>(index)].Link, doc.Variables));
  if (!file) return {};
  const std::filesystem::path name = std::filesystem::path(*file).lexically_normal();
  if (name.empty() || *name.begin() == "..") return {};
  return QString::fromStdString(name.generic_string());
}

}  // namespace

TPreviewBuild::TPreviewBuild(std::shared_ptr<const TPreviewState> state) : state_(std::move(state)) {
  const TovHTML& doc = state_->Doc;
  if (doc.Filename.empty()) {
    Problem = QStringLiteral("Keine Vorschau: kein Dateiname zum Speichern angegeben.");
    return;
  }
  if (doc.Template.empty()) {
    Problem = QStringLiteral("Keine Vorschau: keine Vorlage gewählt.");
    return;
  }
  try {
    std::string message;
    std::optional<TTemplateSet> set = LoadSetForRun(doc, message);
    if (!set) {
      Problem = QStringLiteral("Keine Vorschau: ") + QString::fromStdString(Cp1252ToUtf8(message));
      return;
    }
    Utf8 = set->Utf8;
    SetFolder = set->Folder;
    run_ = std::make_unique<GenerationRun>(doc, std::move(*set));
    // What generation would refuse to write is not shown either.
    if (const std::optional<Refusal> refused = run_->FirstRefusal()) {
      Problem = QStringLiteral("Keine Vorschau: ") + QString::fromStdString(Cp1252ToUtf8(refused->Message));
      return;
    }
    Folder = OutputFolder(doc.Filename, doc.MenuFile);
    const char* home = std::getenv("HOME");
    ServesFolder = IsServableSiteFolder(Folder, home ? home : "");
    if (!ServesFolder)
      FolderNote = QStringLiteral("Die Dateien im Ordner %1 zeigt die Vorschau nicht: er ist die Wurzel, ein "
                                  "Systemordner oder Ihr persönlicher Ordner. Nur die erzeugten Seiten erscheinen.")
                       .arg(QString::fromStdString(Folder.string()));
    const std::size_t dirLength = ExtractFilePath(doc.Filename).size();
    const std::vector<PlannedPage>& pages = run_->Plan().Pages;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const QString name = NameOf(pages[i].Path, dirLength);
      if (!pageIndex_.count(name)) PageNames.push_back(name);
      pageIndex_[name] = i;
    }
    Page(PageNames.front());
    Page(PageForEntry(state_->Selected));
  } catch (const std::exception& e) {
    Problem = QStringLiteral("Keine Vorschau: ") + QString::fromStdString(Cp1252ToUtf8(e.what()));
  }
}

TPreviewBuild::~TPreviewBuild() = default;

const QByteArray* TPreviewBuild::Page(const QString& name) const {
  if (auto done = rendered_.find(name); done != rendered_.end()) return &done->second;
  const auto index = pageIndex_.find(name);
  if (index == pageIndex_.end()) return nullptr;
  try {
    return &(rendered_[name] = QByteArray::fromStdString(run_->Page(index->second)));
  } catch (const std::exception&) {
    return nullptr;  // the engine shows the page as missing
  }
}

const TSitePage* TPreviewBuild::SitePage(const QString& name) const {
  if (!ServesFolder || pageIndex_.count(name) || !IsPageName(name)) return nullptr;
  if (auto done = sitePages_.find(name); done != sitePages_.end()) return done->second ? &*done->second : nullptr;
  std::optional<TSitePage>& page = sitePages_[name];
  try {
    // SiteFile keeps the read inside the served folder, as for every other file.
    if (const std::optional<std::filesystem::path> file = SiteFile(Folder, name.toStdString())) {
      std::string problem;  // a page the menu cannot go into shows as it stands on disk
      if (const std::optional<std::string> bytes = apply::PageWithMenu(state_->Doc, file->string(), problem))
        page = TSitePage{QByteArray::fromStdString(*bytes),
                         apply::DetectHostEncoding(*bytes) == apply::HostEncoding::Utf8};
    }
  } catch (const std::exception&) {
  }
  return page ? &*page : nullptr;
}

QString TPreviewBuild::PageForEntry(int index) const {
  if (PageNames.isEmpty()) return {};
  if (const QString linked = LinkedPage(state_->Doc, index); !linked.isEmpty() && SitePage(linked)) return linked;
  const std::size_t page = run_->Plan().PageOfEntry(state_->Doc.Items, index);
  const std::string& path = run_->Plan().Pages[page].Path;
  return NameOf(path, ExtractFilePath(state_->Doc.Filename).size());
}

}  // namespace navforge::preview
