// Handles of GDI objects in general: stock objects, selection into a device context, deletion
// (deferred while selected), and the description GetObject gives of each kind.
#pragma once

#include "framework/platform/GdiTypes.h"

namespace win {

HGDIOBJ GetStockObject(int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, void* buffer);
inline int GetObject(HGDIOBJ object, int size, void* buffer) {
  return GetObjectA(object, size, buffer);
}
DWORD GetObjectType(HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
BOOL UnrealizeObject(HGDIOBJ object);

// The same calls for the specific handle kinds, as the platform's code passes them unconverted.
template <class THandle>
HGDIOBJ SelectObject(HDC dc, THandle object) {
  return SelectObject(dc, HandleCast<HGDIOBJ>(object));
}
template <class THandle>
BOOL DeleteObject(THandle object) {
  return DeleteObject(HandleCast<HGDIOBJ>(object));
}
template <class THandle>
DWORD GetObjectType(THandle object) {
  return GetObjectType(HandleCast<HGDIOBJ>(object));
}
template <class THandle>
BOOL UnrealizeObject(THandle object) {
  return UnrealizeObject(HandleCast<HGDIOBJ>(object));
}
template <class THandle>
int GetObject(THandle object, int size, void* buffer) {
  return GetObjectA(HandleCast<HGDIOBJ>(object), size, buffer);
}

}  // namespace win
