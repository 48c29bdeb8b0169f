#include "ui/preview/previewbuild.h"

#include "core/generatememory.h"
#include "core/pageassembler.h"
#include "support/cp1252.h"
#include "support/paths.h"
#include "ui/preview/sitefolder.h"

namespace navforge::preview {

TPreviewBuild BuildPreview(const TPreviewState& state) {
  TPreviewBuild build;
  const TovHTML& doc = state.Doc;
  if (doc.Template.empty()) {
    build.Problem = QStringLiteral("Keine Vorschau: keine Vorlage gew\u00e4hlt.");
    return build;
  }
  GenerationResult result = GenerateToMemory(doc);
  if (!result.Ok) {
    build.Problem = QStringLiteral("Keine Vorschau: ") + QString::fromStdString(Cp1252ToUtf8(result.Message));
    return build;
  }
  build.Folder = OutputFolder(doc.Filename, state.BaseFolder);
  build.Utf8 = result.Set && result.Set->Utf8;
  build.AllInOne = !result.Set || result.Set->AllInOne;
  if (result.Set) build.SetFolder = result.Set->Folder;
  build.SubmenuExt = PageAssembler::SubmenuExt(doc);
  build.LinkIDs = std::move(result.LinkIDs);
  for (int i = 0; i <= doc.LastIndex(); ++i) {
    build.IsSubItem.push_back(doc.Items[static_cast<std::size_t>(i)].IsSubItem);
    build.HasSubItems.push_back(doc.HasSubItems(i));
  }
  const std::size_t dirLength = ExtractFilePath(doc.Filename).size();
  for (GeneratedPage& page : result.Pages) {
    const QString name = QString::fromStdString(Cp1252ToUtf8(std::string_view(page.Path).substr(dirLength)));
    // A page written twice holds what the second write left, as on disk.
    if (!build.Pages.count(name)) build.PageNames.push_back(name);
    build.Pages[name] = QByteArray::fromStdString(page.Bytes);
  }
  return build;
}

QString PageForEntry(const TPreviewBuild& build, int index) {
  if (build.PageNames.isEmpty()) return {};
  const int count = static_cast<int>(build.IsSubItem.size());
  if (index < 0 || index >= count || build.AllInOne) return build.PageNames.front();
  int main = index;
  while (main >= 0 && build.IsSubItem[static_cast<std::size_t>(main)]) --main;
  // Sub-entries before the first main entry have no page of their own.
  if (main < 0 || !build.HasSubItems[static_cast<std::size_t>(main)]) return build.PageNames.front();
  const QString name = QString::fromStdString(
      Cp1252ToUtf8(build.LinkIDs[static_cast<std::size_t>(main)] + build.SubmenuExt));
  return build.Pages.count(name) ? name : build.PageNames.front();
}

}  // namespace navforge::preview
