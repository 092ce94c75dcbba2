#include "framework/platform/Rects.h"

#include <algorithm>

namespace win {

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = {left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* rect) {
  if (!rect) return FALSE;
  *rect = {};
  return TRUE;
}

BOOL CopyRect(RECT* destination, const RECT* source) {
  if (!destination || !source) return FALSE;
  *destination = *source;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
  return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(RECT* destination, const RECT* a, const RECT* b) {
  if (!destination || !a || !b) return FALSE;
  if (IsRectEmpty(a) || IsRectEmpty(b) || a->left >= b->right || b->left >= a->right ||
      a->top >= b->bottom || b->top >= a->bottom) {
    *destination = {};
    return FALSE;
  }
  *destination = {std::max(a->left, b->left), std::max(a->top, b->top),
                  std::min(a->right, b->right), std::min(a->bottom, b->bottom)};
  return TRUE;
}

BOOL UnionRect(RECT* destination, const RECT* a, const RECT* b) {
  if (!destination || !a || !b) return FALSE;
  const bool emptyA = IsRectEmpty(a), emptyB = IsRectEmpty(b);
  if (emptyA && emptyB) {
    *destination = {};
    return FALSE;
  }
  if (emptyA) {
    *destination = *b;
  } else if (emptyB) {
    *destination = *a;
  } else {
    *destination = {std::min(a->left, b->left), std::min(a->top, b->top),
                    std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
  }
  return TRUE;
}

BOOL SubtractRect(RECT* destination, const RECT* a, const RECT* b) {
  if (!destination || !a || !b) return FALSE;
  RECT overlap;
  RECT result = *a;
  if (IntersectRect(&overlap, a, b)) {
    // Only a cut that leaves a rectangle shrinks it.
    if (overlap.left == a->left && overlap.right == a->right) {
      if (overlap.top == a->top)
        result.top = overlap.bottom;
      else if (overlap.bottom == a->bottom)
        result.bottom = overlap.top;
    } else if (overlap.top == a->top && overlap.bottom == a->bottom) {
      if (overlap.left == a->left)
        result.left = overlap.right;
      else if (overlap.right == a->right)
        result.right = overlap.left;
    }
  }
  if (IsRectEmpty(&result)) {
    *destination = {};
    return FALSE;
  }
  *destination = result;
  return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
                 point.y < rect->bottom
             ? TRUE
             : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  return a && b && *a == *b ? TRUE : FALSE;
}

}  // namespace win
