#include "framework/platform/gdi/Region.h"

#include <utility>

namespace win::gdi {
namespace {

bool IsEmptyRect(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

pixman_box32_t ToBox(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TRegion::TRegion() {
  pixman_region32_init(&FRegion);
}

TRegion::TRegion(const RECT& rect) {
  // Built from the box itself: pixman's width-based constructors would overflow on huge rectangles.
  if (IsEmptyRect(rect)) {
    pixman_region32_init(&FRegion);
  } else {
    pixman_box32_t box = ToBox(rect);
    pixman_region32_init_with_extents(&FRegion, &box);
  }
}

TRegion::TRegion(const TRegion& other) {
  pixman_region32_init(&FRegion);
  pixman_region32_copy(&FRegion, &other.FRegion);
}

TRegion::TRegion(TRegion&& other) noexcept {
  pixman_region32_init(&FRegion);
  std::swap(FRegion, other.FRegion);
}

TRegion& TRegion::operator=(const TRegion& other) {
  if (this != &other) pixman_region32_copy(&FRegion, &other.FRegion);
  return *this;
}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
  std::swap(FRegion, other.FRegion);
  return *this;
}

TRegion::~TRegion() {
  pixman_region32_fini(&FRegion);
}

TRegion TRegion::FromRects(std::span<const RECT> rects) {
  std::vector<pixman_box32_t> boxes;
  boxes.reserve(rects.size());
  for (const RECT& r : rects) {
    if (!IsEmptyRect(r)) boxes.push_back(ToBox(r));
  }
  TRegion result;
  // pixman sorts and merges overlapping input itself.
  pixman_region32_fini(&result.FRegion);
  pixman_region32_init_rects(&result.FRegion, boxes.data(), int(boxes.size()));
  return result;
}

bool TRegion::IsEmpty() const {
  return !pixman_region32_not_empty(&FRegion);
}

bool TRegion::IsSimple() const {
  return pixman_region32_n_rects(&FRegion) <= 1;
}

RECT TRegion::Extents() const {
  if (IsEmpty()) return {};
  const pixman_box32_t* box = pixman_region32_extents(&FRegion);
  return {box->x1, box->y1, box->x2, box->y2};
}

bool TRegion::Contains(LONG x, LONG y) const {
  return pixman_region32_contains_point(&FRegion, x, y, nullptr) != 0;
}

bool TRegion::Intersects(const RECT& rect) const {
  if (IsEmptyRect(rect)) return false;
  pixman_box32_t box = ToBox(rect);
  return pixman_region32_contains_rectangle(&FRegion, &box) != PIXMAN_REGION_OUT;
}

std::vector<RECT> TRegion::Rects() const {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&FRegion, &count);
  std::vector<RECT> result;
  result.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i) {
    result.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  }
  return result;
}

std::size_t TRegion::RectCount() const {
  return std::size_t(pixman_region32_n_rects(&FRegion));
}

void TRegion::Clear() {
  pixman_region32_clear(&FRegion);
}

void TRegion::SetRect(const RECT& rect) {
  *this = TRegion(rect);
}

void TRegion::Offset(LONG dx, LONG dy) {
  pixman_region32_translate(&FRegion, dx, dy);
}

void TRegion::Union(const TRegion& other) {
  pixman_region32_union(&FRegion, &FRegion, &other.FRegion);
}

void TRegion::Union(const RECT& rect) {
  if (!IsEmptyRect(rect)) Union(TRegion(rect));
}

void TRegion::Intersect(const TRegion& other) {
  pixman_region32_intersect(&FRegion, &FRegion, &other.FRegion);
}

void TRegion::Intersect(const RECT& rect) {
  Intersect(TRegion(rect));
}

void TRegion::Subtract(const TRegion& other) {
  pixman_region32_subtract(&FRegion, &FRegion, &other.FRegion);
}

void TRegion::Subtract(const RECT& rect) {
  Subtract(TRegion(rect));
}

void TRegion::Xor(const TRegion& other) {
  TRegion both(*this);
  both.Intersect(other);
  Union(other);
  Subtract(both);
}

bool operator==(const TRegion& a, const TRegion& b) {
  return pixman_region32_equal(&a.FRegion, &b.FRegion) != 0;
}

}  // namespace win::gdi
