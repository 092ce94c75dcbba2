#include "controls/clear/OpaqueRuns.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/GdiHandles.h"
#include "framework/platform/GdiRegions.h"

namespace clear {

namespace {

// The columns [left, right) of one row that any of the areas covers, merged and in order.
std::vector<std::pair<int, int>> ColumnsOfRow(std::span<const win::RECT> Areas, int Y) {
  std::vector<std::pair<int, int>> columns;
  for (const win::RECT& area : Areas)
    if (Y >= area.top && Y < area.bottom && area.left < area.right)
      columns.emplace_back(area.left, area.right);
  std::sort(columns.begin(), columns.end());
  std::vector<std::pair<int, int>> merged;
  for (const auto& span : columns) {
    if (!merged.empty() && span.first <= merged.back().second)
      merged.back().second = std::max(merged.back().second, span.second);
    else
      merged.push_back(span);
  }
  return merged;
}

void ScanRow(const std::uint8_t* Row, fw::TColor Empty, int Left, int Right, int Y,
             const std::function<void(int, int, int)>& Run) {
  int start = -1;
  for (int x = Left; x < Right; ++x) {
    const std::uint8_t* pixel = Row + 3 * x;
    const bool drawn = fw::TColor(pixel[2] + pixel[1] * 256 + pixel[0] * 65536) != Empty;
    if (drawn && start < 0) start = x;
    if (!drawn && start >= 0) {
      Run(start, x, Y);
      start = -1;
    }
  }
  if (start >= 0) Run(start, Right, Y);
}

void ForEachDrawnRunIn(fw::TBitmap& Image, fw::TColor Empty, std::span<const win::RECT> Areas,
                       const std::function<void(int, int, int)>& Run) {
  const win::RECT bitmap{0, 0, Image.Width(), Image.Height()};
  std::vector<win::RECT> clipped;
  for (const win::RECT& area : Areas) {
    win::RECT inside{std::max(area.left, bitmap.left), std::max(area.top, bitmap.top),
                     std::min(area.right, bitmap.right), std::min(area.bottom, bitmap.bottom)};
    if (inside.left < inside.right && inside.top < inside.bottom) clipped.push_back(inside);
  }
  if (clipped.empty()) return;
  int top = bitmap.bottom, bottom = bitmap.top;
  for (const win::RECT& area : clipped) {
    top = std::min<int>(top, area.top);
    bottom = std::max<int>(bottom, area.bottom);
  }
  for (int y = top; y < bottom; ++y) {
    const std::vector<std::pair<int, int>> columns = ColumnsOfRow(clipped, y);
    if (columns.empty()) continue;
    const std::uint8_t* row = Image.ScanLine(y);
    for (const auto& [left, right] : columns)
      ScanRow(row, Empty, left, right, y, Run);
  }
}

// A region of the rectangles, made in one go: the same pixels as adding them one by one.
fw::gdihandles::TOwned<win::HRGN> RegionOfRects(const std::vector<win::RECT>& Rects) {
  std::vector<std::uint8_t> data(sizeof(win::RGNDATAHEADER) + Rects.size() * sizeof(win::RECT));
  win::RGNDATAHEADER header;
  header.nCount = win::DWORD(Rects.size());
  header.nRgnSize = win::DWORD(Rects.size() * sizeof(win::RECT));
  std::memcpy(data.data(), &header, sizeof header);
  if (!Rects.empty())
    std::memcpy(data.data() + sizeof header, Rects.data(), Rects.size() * sizeof(win::RECT));
  return fw::gdihandles::TOwned<win::HRGN>(win::ExtCreateRegion(
      nullptr, win::DWORD(data.size()), reinterpret_cast<const win::RGNDATA*>(data.data())));
}

}  // namespace

void ForEachDrawnRun(fw::TBitmap& Image, fw::TColor Empty, const win::RECT& Area,
                     const std::function<void(int X0, int X1, int Y)>& Run) {
  ForEachDrawnRunIn(Image, Empty, std::span<const win::RECT>(&Area, 1), Run);
}

void AddOpaqueRuns(fw::TBitmap& Image, fw::TColor Empty, std::span<const win::RECT> Areas,
                   win::HRGN Region) {
  std::vector<win::RECT> runs;
  ForEachDrawnRunIn(Image, Empty, Areas, [&](int x0, int x1, int y) {
    runs.push_back(win::RECT{x0, y, x1, y + 1});
  });
  if (runs.empty()) return;
  const fw::gdihandles::TOwned<win::HRGN> drawn = RegionOfRects(runs);
  win::CombineRgn(Region, Region, drawn.Get(), win::RGN_OR);
}

win::HRGN ScanOpaqueRuns(fw::TBitmap& Image, fw::TColor Empty) {
  fw::gdihandles::TOwned<win::HRGN> region(win::CreateRectRgn(0, 0, 0, 0));
  const win::RECT all{0, 0, Image.Width(), Image.Height()};
  AddOpaqueRuns(Image, Empty, std::span<const win::RECT>(&all, 1), region.Get());
  return region.Release();
}

}  // namespace clear
