#include "ui/fontnames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScrollBar>
#include <QSet>
#include <algorithm>

namespace navforge {

QStringList CssFontFamilies(const QStringList& families) {
  QStringList names;
  QSet<QString> seen;
  for (QString family : families) {
    if (family.endsWith(QLatin1Char(']'))) {
      const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
      if (open > 0) family.truncate(open);
    }
    family = family.trimmed();
    if (!seen.contains(family)) {
      seen.insert(family);
      names << family;
    }
  }
  return names;
}

void FillFontBox(QComboBox* box) {
  box->clear();
  const QStringList names = CssFontFamilies(QFontDatabase::families());
  box->addItems(names);
  const QFontMetrics metrics(box->view()->font());
  int widest = 0;
  for (const QString& name : names) widest = std::max(widest, metrics.horizontalAdvance(name));
  const int frame = 2 * box->view()->frameWidth() + box->view()->verticalScrollBar()->sizeHint().width() + 16;
  box->view()->setMinimumWidth(std::max(box->width(), widest + frame));
}

}  // namespace navforge
