#include "framework/platform/windowing/WindowTable.h"

#include <algorithm>

namespace win::wnd {

TWindow& TWindowTable::Add() {
  auto window = std::make_unique<TWindow>();
  window->FHandle = reinterpret_cast<HWND>(FNextHandle);
  FNextHandle += 4;
  TWindow& result = *window;
  FWindows.emplace(result.FHandle, std::move(window));
  return result;
}

void TWindowTable::Remove(HWND hwnd) {
  TWindow* window = Find(hwnd);
  if (!window) return;
  Unlink(*window);
  FWindows.erase(hwnd);
}

TWindow* TWindowTable::Find(HWND hwnd) {
  if (!hwnd) return nullptr;
  const auto found = FWindows.find(hwnd);
  return found == FWindows.end() ? nullptr : found->second.get();
}

const TWindow* TWindowTable::Find(HWND hwnd) const {
  if (!hwnd) return nullptr;
  const auto found = FWindows.find(hwnd);
  return found == FWindows.end() ? nullptr : found->second.get();
}

std::vector<HWND> TWindowTable::AllHandles() const {
  std::vector<HWND> handles;
  handles.reserve(FWindows.size());
  for (const auto& entry : FWindows)
    handles.push_back(entry.first);
  return handles;
}

std::vector<HWND>& TWindowTable::SiblingsOf(const TWindow& window) {
  if (window.IsChild()) {
    if (TWindow* parent = Find(window.FParent)) return parent->FChildren;
  }
  return FTopLevel;
}

void TWindowTable::Unlink(TWindow& window) {
  auto& siblings = SiblingsOf(window);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window.FHandle), siblings.end());
}

void TWindowTable::PlaceInZOrder(TWindow& window, HWND insertAfter) {
  Unlink(window);
  auto& siblings = SiblingsOf(window);
  const bool topLevel = &siblings == &FTopLevel;
  if (topLevel && insertAfter == HWND_TOPMOST) window.FExStyle |= WS_EX_TOPMOST;
  if (topLevel && insertAfter == HWND_NOTOPMOST) window.FExStyle &= ~WS_EX_TOPMOST;
  if (!topLevel) window.FExStyle &= ~WS_EX_TOPMOST;

  // Topmost windows form the front band of the top-level list.
  auto isTopMost = [this](HWND hwnd) {
    const TWindow* other = Find(hwnd);
    return other && other->IsTopMost();
  };
  const auto bandBegin = window.IsTopMost()
                             ? siblings.begin()
                             : std::find_if_not(siblings.begin(), siblings.end(), isTopMost);
  const auto bandEnd = window.IsTopMost()
                           ? std::find_if_not(siblings.begin(), siblings.end(), isTopMost)
                           : siblings.end();
  auto position = bandBegin;
  if (insertAfter == HWND_BOTTOM) {
    position = bandEnd;
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
             insertAfter != HWND_NOTOPMOST) {
    const auto after = std::find(bandBegin, bandEnd, insertAfter);
    position = after == bandEnd ? bandBegin : after + 1;
  }
  siblings.insert(position, window.FHandle);
}

TWindow* TWindowTable::Root(HWND hwnd) {
  TWindow* window = Find(hwnd);
  while (window && window->IsChild()) {
    TWindow* parent = Find(window->FParent);
    if (!parent) break;
    window = parent;
  }
  return window;
}

bool TWindowTable::IsVisible(HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  if (!window) return false;
  while (window) {
    if (!window->IsVisibleStyle()) return false;
    window = window->IsChild() ? Find(window->FParent) : nullptr;
  }
  return true;
}

bool TWindowTable::IsEnabledChain(HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  if (!window) return false;
  while (window) {
    if (window->IsDisabledStyle()) return false;
    window = window->IsChild() ? Find(window->FParent) : nullptr;
  }
  return true;
}

bool TWindowTable::IsAncestor(HWND ancestor, HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  while (window && window->IsChild()) {
    if (window->FParent == ancestor) return true;
    window = Find(window->FParent);
  }
  return false;
}

POINT TWindowTable::WindowOriginOnScreen(HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  if (!window) return {};
  POINT origin{window->FRect.left, window->FRect.top};
  if (window->IsChild()) {
    const POINT parent = ClientOriginOnScreen(window->FParent);
    origin.x += parent.x;
    origin.y += parent.y;
  }
  return origin;
}

POINT TWindowTable::ClientOriginOnScreen(HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  if (!window) return {};
  POINT origin = WindowOriginOnScreen(hwnd);
  origin.x += window->FFrame.left;
  origin.y += window->FFrame.top;
  return origin;
}

POINT TWindowTable::ClientOriginInFramebuffer(HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  const TWindow* root = window;
  while (root && root->IsChild() && Find(root->FParent))
    root = Find(root->FParent);
  if (!root) return {};
  const POINT client = ClientOriginOnScreen(hwnd);
  const POINT rootClient = ClientOriginOnScreen(root->FHandle);
  return POINT{client.x - rootClient.x, client.y - rootClient.y};
}

POINT TWindowTable::WindowOriginInFramebuffer(HWND hwnd) const {
  const TWindow* window = Find(hwnd);
  if (!window) return {};
  const POINT client = ClientOriginInFramebuffer(hwnd);
  return POINT{client.x - window->FFrame.left, client.y - window->FFrame.top};
}

void TWindowTable::ForEachInSubtree(HWND hwnd, const std::function<void(TWindow&)>& visit) {
  TWindow* window = Find(hwnd);
  if (!window) return;
  visit(*window);
  const std::vector<HWND> children = window->FChildren;
  for (HWND child : children)
    ForEachInSubtree(child, visit);
}

}  // namespace win::wnd
