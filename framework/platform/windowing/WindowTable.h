// The table of live windows and the tree they form: handles (never reused during a run), lookup,
// the Z-order of top-level windows and of each window's children, and geometry along the tree.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/platform/windowing/WindowObject.h"

namespace win::wnd {

class TWindowTable {
 public:
  // Creates a window object with a fresh handle; the caller links it into the tree.
  TWindow& Add();
  // Unlinks and frees a window; its children must already be gone.
  void Remove(HWND hwnd);
  TWindow* Find(HWND hwnd);
  const TWindow* Find(HWND hwnd) const;
  bool Empty() const { return FWindows.empty(); }
  std::vector<HWND> AllHandles() const;

  // Top-level windows in Z-order, front first (topmost windows before the others).
  const std::vector<HWND>& TopLevel() const { return FTopLevel; }
  // Siblings of a window in Z-order, front first (the top-level list for top-level windows).
  std::vector<HWND>& SiblingsOf(const TWindow& window);
  // Puts the window into its sibling list at the place `insertAfter` names (HWND_TOP, HWND_BOTTOM,
  // HWND_TOPMOST, HWND_NOTOPMOST or a sibling), keeping topmost windows in front.
  void PlaceInZOrder(TWindow& window, HWND insertAfter);
  void Unlink(TWindow& window);

  TWindow* Root(HWND hwnd);
  // Visible when the window and all its ancestors carry WS_VISIBLE.
  bool IsVisible(HWND hwnd) const;
  // Enabled when neither the window nor an ancestor is disabled.
  bool IsEnabledChain(HWND hwnd) const;
  bool IsAncestor(HWND ancestor, HWND hwnd) const;

  // Outer top-left corner and client top-left corner in screen coordinates.
  POINT WindowOriginOnScreen(HWND hwnd) const;
  POINT ClientOriginOnScreen(HWND hwnd) const;
  // Client top-left corner relative to the client area of the window's top-level window, which is
  // the origin of that top-level window's framebuffer.
  POINT ClientOriginInFramebuffer(HWND hwnd) const;
  POINT WindowOriginInFramebuffer(HWND hwnd) const;

  // Calls `visit` for the window and every descendant, parents before children.
  void ForEachInSubtree(HWND hwnd, const std::function<void(TWindow&)>& visit);

 private:
  std::unordered_map<HWND, std::unique_ptr<TWindow>> FWindows;
  std::vector<HWND> FTopLevel;
  std::uintptr_t FNextHandle = 0x10010;
};

}  // namespace win::wnd
