// The common base of every object behind a GDI handle, and the one table that hands out those
// handles: never reused during a run, so a stale handle fails cleanly instead of hitting another.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "framework/platform/GdiTypes.h"

namespace win::gdi {

// A pen, brush, font, bitmap, palette, region or device context. Derived classes describe
// themselves to GetObject and GetObjectType. The font module derives its font object from here.
class TGdiObject {
 public:
  TGdiObject() = default;
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  virtual ~TGdiObject() = default;

  virtual DWORD ObjectType() const = 0;
  // Copies the logical description into buffer (or, with a null buffer, answers the size that
  // GetObject would need). Answers the number of bytes written, 0 when nothing fits.
  virtual int GetObjectData(int size, void* buffer) const;
  // UnrealizeObject: a brush's origin is realised again at its next selection.
  virtual bool Unrealize() { return true; }

  HGDIOBJ Handle() const { return FHandle; }
  bool IsStock() const { return FStockIndex >= 0; }
  int StockIndex() const { return FStockIndex; }
  // How many device contexts hold the object selected right now.
  int SelectionCount() const { return FSelections; }
  bool IsDeletePending() const { return FDeletePending; }

 private:
  friend class TObjectTable;
  HGDIOBJ FHandle = nullptr;
  int FStockIndex = -1;
  int FSelections = 0;
  bool FDeletePending = false;
};

// All live objects by handle. Single-threaded like the rest of the user-interface code.
class TObjectTable {
 public:
  static TObjectTable& Instance();

  // Registers an object and answers its new handle.
  HGDIOBJ Add(std::shared_ptr<TGdiObject> object);
  // Registers a stock object: DeleteObject leaves it alone.
  HGDIOBJ AddStock(std::shared_ptr<TGdiObject> object, int stockIndex);
  std::shared_ptr<TGdiObject> Find(HGDIOBJ handle) const;
  template <class T>
  std::shared_ptr<T> FindAs(HGDIOBJ handle) const {
    return std::dynamic_pointer_cast<T>(Find(handle));
  }
  // DeleteObject's rules: stock objects stay, a selected object goes when its last selection
  // ends, anything else goes at once. False for an unknown handle.
  bool Delete(HGDIOBJ handle);
  // Removes an object whatever its state (DeleteDC uses this for the context itself).
  void Remove(HGDIOBJ handle);

  void NoteSelected(TGdiObject& object);
  void NoteDeselected(TGdiObject& object);

  std::size_t Count() const { return FObjects.size(); }

 private:
  std::unordered_map<std::uintptr_t, std::shared_ptr<TGdiObject>> FObjects;
  std::uintptr_t FNextId = 0x10000;
};

// Registers a new object and answers its handle as the caller's handle type.
template <class THandle>
THandle RegisterObject(std::shared_ptr<TGdiObject> object) {
  return HandleCast<THandle>(TObjectTable::Instance().Add(std::move(object)));
}

template <class T, class THandle>
std::shared_ptr<T> FindObject(THandle handle) {
  return TObjectTable::Instance().FindAs<T>(HandleCast<HGDIOBJ>(handle));
}

// Copies a plain structure for GetObject: the whole structure, or nothing when it does not fit.
template <class T>
int CopyObjectData(const T& value, int size, void* buffer) {
  if (!buffer) return int(sizeof(T));
  if (size < int(sizeof(T))) return 0;
  *static_cast<T*>(buffer) = value;
  return int(sizeof(T));
}

}  // namespace win::gdi
