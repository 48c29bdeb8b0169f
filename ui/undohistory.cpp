#include "ui/undohistory.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "persist/formatfields.h"

namespace navforge {
namespace {

// The steps can hold a large menu a hundred times over; older steps go.
constexpr int kUndoLimit = 100;

// The names the steps give the formatting fields, in the order of FormatFields.
struct TFieldName {
  std::string_view Key;
  const char* Name;
};
constexpr std::array<TFieldName, FormatFields.size()> kFieldNames = {{
    {"TextColor", "Schriftfarbe"},
    {"BackgroundColor", "Hintergrundfarbe"},
    {"LinkColor", "Linkfarbe"},
    {"ALinkColor", "Farbe aktiver Links"},
    {"VLinkColor", "Farbe besuchter Links"},
    {"HoverColor", "Hover-Farbe"},
    {"FirstLetterColor", "Farbe des ersten Buchstabens"},
    {"Title", "Titel"},
    {"Font", "Schrift"},
    {"FontSize", "Schriftgröße"},
    {"SubmenuFont", "Schrift der Unterpunkte"},
    {"SubmenuFontSize", "Schriftgröße der Unterpunkte"},
    {"SubmenuLeftMargin", "Randabstand"},
    {"BackgroundImage", "Hintergrundbild"},
    {"Template", "Template"},
    {"Filename", "Dateiname"},
    {"hr", "Trennlinie"},
    {"fileext", "Dateiendung"},
}};

constexpr bool NamesFollowTheFields() {
  for (std::size_t i = 0; i < FormatFields.size(); ++i)
    if (kFieldNames[i].Key != FormatFields[i].Key) return false;
  return true;
}
static_assert(NamesFollowTheFields(), "one name per formatting field, in the table's order");

bool SameField(const FormatField& f, const TMenuFormat& a, const TMenuFormat& b) {
  return f.Kind == FieldKind::Color ? a.*f.Color == b.*f.Color : a.*f.Text == b.*f.Text;
}

}  // namespace

bool SameEntries(const TMenutree& a, const TMenutree& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TMTItem& x, const TMTItem& y) {
    return x.Caption == y.Caption && x.Link == y.Link && x.Target == y.Target && x.IsSubItem == y.IsSubItem &&
           LevelOf(x) == LevelOf(y);
  });
}

bool SameVariables(const TVarList& a, const TVarList& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const TVarItem& x, const TVarItem& y) { return x.Name == y.Name && x.Value == y.Value; });
}

bool SameFormat(const TMenuFormat& a, const TMenuFormat& b) {
  return std::all_of(FormatFields.begin(), FormatFields.end(), [&](const FormatField& f) { return SameField(f, a, b); });
}

QString FormatStepText(const TMenuFormat& a, const TMenuFormat& b) {
  const char* name = nullptr;
  for (std::size_t i = 0; i < FormatFields.size(); ++i) {
    if (SameField(FormatFields[i], a, b)) continue;
    if (name) return QStringLiteral("Formatierung ändern");
    name = kFieldNames[i].Name;
  }
  return QString::fromUtf8(name ? name : "Formatierung") + QStringLiteral(" ändern");
}

// The document before and after one change. Pushing a step runs redo(); the change
// is already made then.
class TUndoHistory::TStep : public QUndoCommand {
public:
  TStep(TUndoHistory& history, const QString& text, TMenuState before, TMenuState after, int selectedBefore,
        int selectedAfter)
      : QUndoCommand(text),
        history_(history),
        before_(std::move(before)),
        after_(std::move(after)),
        selectedBefore_(selectedBefore),
        selectedAfter_(selectedAfter) {}
  void undo() override { history_.Show(before_, selectedBefore_); }
  void redo() override {
    if (made_) history_.Show(after_, selectedAfter_);
    made_ = true;
  }

private:
  TUndoHistory& history_;
  TMenuState before_, after_;
  int selectedBefore_, selectedAfter_;
  bool made_ = false;
};

TUndoHistory::TUndoHistory(Restore restore, QObject* parent) : QUndoStack(parent), restore_(std::move(restore)) {
  setUndoLimit(kUndoLimit);
}

void TUndoHistory::Reset(TMenuState state) {
  clear();
  current_ = std::move(state);
  setClean();
}

bool TUndoHistory::Record(const QString& text, TMenuState after, int selectedBefore, int selectedAfter) {
  if ((current_.Items == after.Items || SameEntries(*current_.Items, *after.Items)) &&
      (current_.Variables == after.Variables || SameVariables(*current_.Variables, *after.Variables)) &&
      (current_.Format == after.Format || SameFormat(*current_.Format, *after.Format)))
    return false;
  TMenuState before = std::exchange(current_, after);
  push(new TStep(*this, text, std::move(before), std::move(after), selectedBefore, selectedAfter));
  return true;
}

void TUndoHistory::Show(const TMenuState& state, int selected) {
  current_ = state;
  restore_(state, selected);
}

}  // namespace navforge
