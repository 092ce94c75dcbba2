#include "framework/platform/gdi/GdiObject.h"

namespace win::gdi {

int TGdiObject::GetObjectData(int /*size*/, void* /*buffer*/) const {
  return 0;
}

TObjectTable& TObjectTable::Instance() {
  static TObjectTable table;
  return table;
}

HGDIOBJ TObjectTable::Add(std::shared_ptr<TGdiObject> object) {
  if (!object) return nullptr;
  const std::uintptr_t id = FNextId;
  FNextId += 4;
  object->FHandle = reinterpret_cast<HGDIOBJ>(id);
  FObjects.emplace(id, std::move(object));
  return reinterpret_cast<HGDIOBJ>(id);
}

HGDIOBJ TObjectTable::AddStock(std::shared_ptr<TGdiObject> object, int stockIndex) {
  if (!object) return nullptr;
  object->FStockIndex = stockIndex;
  return Add(std::move(object));
}

std::shared_ptr<TGdiObject> TObjectTable::Find(HGDIOBJ handle) const {
  const auto it = FObjects.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == FObjects.end() ? nullptr : it->second;
}

bool TObjectTable::Delete(HGDIOBJ handle) {
  const auto it = FObjects.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == FObjects.end()) return false;
  TGdiObject& object = *it->second;
  if (object.IsStock()) return true;
  if (object.FSelections > 0) {
    object.FDeletePending = true;
    return true;
  }
  FObjects.erase(it);
  return true;
}

void TObjectTable::Remove(HGDIOBJ handle) {
  FObjects.erase(reinterpret_cast<std::uintptr_t>(handle));
}

void TObjectTable::NoteSelected(TGdiObject& object) {
  ++object.FSelections;
}

void TObjectTable::NoteDeselected(TGdiObject& object) {
  if (object.FSelections > 0) --object.FSelections;
  if (object.FSelections == 0 && object.FDeletePending) Remove(object.FHandle);
}

}  // namespace win::gdi
