#include "ui/preview/previewbuild.h"

#include <exception>

#include "core/pageassembler.h"
#include "support/cp1252.h"
#include "support/paths.h"
#include "ui/preview/sitefolder.h"

namespace navforge::preview {
namespace {

QString NameOf(std::string_view path, std::size_t dirLength) {
  return QString::fromStdString(Cp1252ToUtf8(path.substr(dirLength)));
}

}  // namespace

TPreviewBuild::TPreviewBuild(std::shared_ptr<const TPreviewState> state) : state_(std::move(state)) {
  const TovHTML& doc = state_->Doc;
  if (doc.Filename.empty()) {
    Problem = QStringLiteral("Keine Vorschau: kein Dateiname zum Speichern angegeben.");
    return;
  }
  if (doc.Template.empty()) {
    Problem = QStringLiteral("Keine Vorschau: keine Vorlage gew\u00e4hlt.");
    return;
  }
  try {
    std::vector<std::string> linkIDs = PageAssembler::AssignLinkIDs(doc.Items);
    std::string message;
    std::optional<TTemplateSet> set = LoadTemplateSet(doc.TemplateRoot, doc.Template, message, doc.UserTemplateRoot);
    if (!set) {
      Problem = QStringLiteral("Keine Vorschau: ") + QString::fromStdString(Cp1252ToUtf8(message));
      return;
    }
    Utf8 = set->Utf8;
    SetFolder = set->Folder;
    const bool allInOne = set->AllInOne;
    assembler_ = std::make_unique<PageAssembler>(doc, std::move(*set), linkIDs);
    Folder = OutputFolder(doc.Filename, doc.MenuFile);

    // The pages WritePages writes, in its order.
    const std::size_t dirLength = ExtractFilePath(doc.Filename).size();
    auto add = [&](const std::string& path, int active) {
      const QString name = NameOf(path, dirLength);
      if (!refs_.count(name)) PageNames.push_back(name);
      refs_[name] = PageRef{path, active};
      return name;
    };
    add(doc.Filename, allInOne ? -1 : 0);
    if (!allInOne) {
      const std::string dir = ExtractFilePath(doc.Filename);
      const std::string ext = PageAssembler::SubmenuExt(doc);
      int entry = 0;
      for (int ordinal = 1; ordinal <= assembler_->Count(); ++ordinal) {
        if (doc.HasSubItems(entry)) groupPages_[entry] = add(dir + linkIDs[static_cast<std::size_t>(entry)] + ext, ordinal);
        entry = doc.Items[static_cast<std::size_t>(entry)].IsSubItem ? entry + 1 : doc.NextMainIndex(entry);
      }
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
  const auto ref = refs_.find(name);
  if (ref == refs_.end()) return nullptr;
  MemoryPageSink sink;
  try {
    assembler_->WritePage(sink, ref->second.Path, ref->second.Active, assembler_->Count());
  } catch (const std::exception&) {
    return nullptr;  // the engine shows the page as missing
  }
  return &(rendered_[name] = QByteArray::fromStdString(sink.Pages.front().Bytes));
}

QString TPreviewBuild::PageForEntry(int index) const {
  if (PageNames.isEmpty()) return {};
  const TMenutree& items = state_->Doc.Items;
  if (index < 0 || index >= static_cast<int>(items.size())) return PageNames.front();
  int main = index;
  while (main >= 0 && items[static_cast<std::size_t>(main)].IsSubItem) --main;
  // Sub-entries before the first main entry have no page of their own.
  const auto group = groupPages_.find(main);
  return group == groupPages_.end() ? PageNames.front() : group->second;
}

}  // namespace navforge::preview
