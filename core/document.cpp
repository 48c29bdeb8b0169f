#include <utility>

#include "core/menudocument.h"
#include "persist/entrylevels.h"
#include "support/locations.h"
#include "support/strutil.h"

namespace navforge {

TovHTML::TovHTML() {
  const TLocations places = DefaultLocations();
  TemplateRoot = places.TemplateRoot;
  UserTemplateRoot = places.UserTemplateRoot;
  VariablesFile = places.VariablesFile;
  ShippedVariables = places.ShippedVariables;
  ResetFormatting();
}

void TovHTML::ResetFormatting() {
  static_cast<TMenuFormat&>(*this) = TMenuFormat{};
  AllInOne = true;
}

void TovHTML::ClearItems() { Items.clear(); }

int TovHTML::MainItemCount() const {
  int n = 0;
  for (const auto& it : Items)
    if (!it.IsSubItem) ++n;
  return n;
}

void TovHTML::GetItem(int index, std::string& caption, std::string& link, std::string& target) const {
  const TMTItem& it = Items.at(static_cast<std::size_t>(index));
  caption = it.Caption;
  link = it.Link;
  target = it.Target;
}

void TovHTML::SetItem(int index, const std::string& caption, const std::string& link, const std::string& target) {
  TMTItem& it = Items.at(static_cast<std::size_t>(index));
  it.Caption = caption;
  it.Link = link;
  it.Target = target;
}

void TovHTML::InsertItem(int index, const std::string& caption, const std::string& link, const std::string& target,
                         bool isSubItem) {
  if (index < 0) {
    Items.push_back(TMTItem{caption, link, target, std::string(), isSubItem});
    return;
  }
  // The new entry goes directly after entry Index. The slot keeps the LinkID of its
  // previous occupant (empty when appending); LinkIDs are recomputed at generation.
  Items.emplace_back();
  for (int i = LastIndex(); i > index + 1; --i) Items[static_cast<std::size_t>(i)] = Items[static_cast<std::size_t>(i - 1)];
  TMTItem& slot = Items.at(static_cast<std::size_t>(index + 1));
  slot.Caption = caption;
  slot.Link = link;
  slot.Target = target;
  slot.IsSubItem = isSubItem;
  slot.Depth = 1;
}

void TovHTML::DeleteItem(int index) { Items.erase(Items.begin() + index); }

void TovHTML::MoveItemUp(int index) {
  if (index > 0) std::swap(Items[static_cast<std::size_t>(index - 1)], Items[static_cast<std::size_t>(index)]);
}

void TovHTML::MoveItemDown(int index) {
  if (index < LastIndex()) std::swap(Items[static_cast<std::size_t>(index)], Items[static_cast<std::size_t>(index + 1)]);
}

void TovHTML::SetSubItem(int index, bool value) { Items.at(static_cast<std::size_t>(index)).IsSubItem = value; }

int TovHTML::NextMainIndex(int index) const {
  const int last = LastIndex();
  if (index >= last) return index;
  for (int i = index + 1; i <= last; ++i)
    if (!Items[static_cast<std::size_t>(i)].IsSubItem) return i;
  return last;
}

bool TovHTML::HasSubItems(int index) const { return navforge::HasSubItems(Items, index); }

bool TovHTML::IsLastSubItem(int index) const {
  if (index == LastIndex()) return true;
  return Items[static_cast<std::size_t>(index)].IsSubItem && !Items[static_cast<std::size_t>(index + 1)].IsSubItem;
}

void TovHTML::DumpItems(IStringList& lines) const {
  lines.Clear();
  for (const auto& it : Items)
    lines.Add(it.Caption + "$" + it.Link + "$" + it.Target + "$" + it.LinkID + "$" + BoolToText(it.IsSubItem));
}

void TovHTML::FillItemList(IStringList& lines) const {
  lines.Clear();
  for (const auto& it : Items) lines.Add(ListLine(it));
}

}  // namespace navforge
