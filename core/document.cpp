#include <utility>

#include "core/menudocument.h"
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

void TovHTML::GetItem(int Index, std::string& Caption, std::string& Link, std::string& Target) const {
  const TMTItem& it = Items.at(static_cast<std::size_t>(Index));
  Caption = it.Caption;
  Link = it.Link;
  Target = it.Target;
}

void TovHTML::SetItem(int Index, const std::string& Caption, const std::string& Link, const std::string& Target) {
  TMTItem& it = Items.at(static_cast<std::size_t>(Index));
  it.Caption = Caption;
  it.Link = Link;
  it.Target = Target;
}

void TovHTML::InsertItem(int Index, const std::string& Caption, const std::string& Link, const std::string& Target,
                         bool IsSubItem) {
  if (Index < 0) {
    Items.push_back(TMTItem{Caption, Link, Target, std::string(), IsSubItem});
    return;
  }
  // The new entry goes directly after entry Index. The slot keeps the LinkID of its
  // previous occupant (empty when appending); LinkIDs are recomputed at generation.
  Items.emplace_back();
  for (int i = LastIndex(); i > Index + 1; --i) Items[static_cast<std::size_t>(i)] = Items[static_cast<std::size_t>(i - 1)];
  TMTItem& slot = Items.at(static_cast<std::size_t>(Index + 1));
  slot.Caption = Caption;
  slot.Link = Link;
  slot.Target = Target;
  slot.IsSubItem = IsSubItem;
}

void TovHTML::DeleteItem(int Index) { Items.erase(Items.begin() + Index); }

void TovHTML::MoveItemUp(int Index) {
  if (Index > 0) std::swap(Items[static_cast<std::size_t>(Index - 1)], Items[static_cast<std::size_t>(Index)]);
}

void TovHTML::MoveItemDown(int Index) {
  if (Index < LastIndex()) std::swap(Items[static_cast<std::size_t>(Index)], Items[static_cast<std::size_t>(Index + 1)]);
}

void TovHTML::SetSubItem(int Index, bool Value) { Items.at(static_cast<std::size_t>(Index)).IsSubItem = Value; }

int TovHTML::NextMainIndex(int Index) const {
  const int last = LastIndex();
  if (Index >= last) return Index;
  for (int i = Index + 1; i <= last; ++i)
    if (!Items[static_cast<std::size_t>(i)].IsSubItem) return i;
  return last;
}

bool TovHTML::HasSubItems(int Index) const { return navforge::HasSubItems(Items, Index); }

bool TovHTML::IsLastSubItem(int Index) const {
  if (Index == LastIndex()) return true;
  return Items[static_cast<std::size_t>(Index)].IsSubItem && !Items[static_cast<std::size_t>(Index + 1)].IsSubItem;
}

void TovHTML::DumpItems(IStringList& Lines) const {
  Lines.Clear();
  for (const auto& it : Items)
    Lines.Add(it.Caption + "$" + it.Link + "$" + it.Target + "$" + it.LinkID + "$" + BoolToText(it.IsSubItem));
}

void TovHTML::FillItemList(IStringList& Lines) const {
  Lines.Clear();
  for (const auto& it : Items) Lines.Add(it.IsSubItem ? "- " + it.Caption : it.Caption);
}

}  // namespace navforge
