#include "ui/preview/pagepatch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/cp1252.h"
#include "ui/preview/previewbuild.h"

namespace navforge::preview {
namespace {

constexpr char kPatch[] = R"JS(
(([edits, counts]) => {
  const lists = {};
  const made = [];
  for (const [tag, index, child, name, before, after] of edits) {
    const list = lists[tag] || (lists[tag] = document.getElementsByTagName(tag));
    if (list.length !== counts[tag]) return false;
    const element = list[index];
    if (child < 0) {
      if (element.getAttribute(name) !== before) return false;
      made.push(after === null ? () => element.removeAttribute(name) : () => element.setAttribute(name, after));
    } else {
      const node = element.childNodes[child];
      if (!node || (node.nodeType !== Node.TEXT_NODE && node.nodeType !== Node.COMMENT_NODE) || node.data !== before)
        return false;
      made.push(() => { node.data = after; });
    }
  }
  for (const make of made) make();
  return true;
})
)JS";

QJsonValue Value(const std::optional<std::string>& text) {
  return text ? QJsonValue(QString::fromStdString(*text)) : QJsonValue(QJsonValue::Null);
}

}  // namespace

std::optional<std::string> PageText(const TPreviewBuild& build, const QString& name) {
  if (const QByteArray* page = build.Page(name))
    return build.Utf8 ? page->toStdString() : Cp1252ToUtf8(page->toStdString());
  if (const TSitePage* site = build.SitePage(name))
    return site->Utf8 ? site->Bytes.toStdString() : Cp1252ToUtf8(site->Bytes.toStdString());
  return std::nullopt;
}

QString PatchScript(const PageDiff& diff) {
  QJsonArray edits;
  for (const PageEdit& edit : diff.Edits)
    edits.append(QJsonArray{QString::fromStdString(edit.Tag), edit.Index, edit.Child, QString::fromStdString(edit.Name),
                            Value(edit.Before), Value(edit.After)});
  QJsonObject counts;
  for (const auto& [tag, count] : diff.TagCounts) counts.insert(QString::fromStdString(tag), count);
  // JSON is a JavaScript expression: the edits travel as a literal.
  const QByteArray json = QJsonDocument(QJsonArray{edits, counts}).toJson(QJsonDocument::Compact);
  return QString::fromLatin1(kPatch).trimmed() + QLatin1Char('(') + QString::fromUtf8(json) + QLatin1String(");");
}

}  // namespace navforge::preview
