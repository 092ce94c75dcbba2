#include "framework/platform/SysColors.h"

#include <array>

#include "framework/platform/gdi/BrushObject.h"

namespace win {
namespace {

// The Windows classic scheme (as shipped with Windows 2000 and the XP classic theme).
constexpr std::array<COLORREF, COLOR_MAX_INDEX + 1> kClassic = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25, unnamed
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

}  // namespace

DWORD GetSysColor(int index) {
  if (index < 0 || index > COLOR_MAX_INDEX) return 0;
  return kClassic[std::size_t(index)];
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index > COLOR_MAX_INDEX) return nullptr;
  static std::array<HGDIOBJ, COLOR_MAX_INDEX + 1> brushes{};
  HGDIOBJ& handle = brushes[std::size_t(index)];
  if (!handle) {
    // Registered as stock: DeleteObject keeps them, and they live for the run.
    handle = gdi::TObjectTable::Instance().AddStock(
        std::make_shared<gdi::TBrushObject>(BS_SOLID, kClassic[std::size_t(index)], 0),
        100 + index);
  }
  return HandleCast<HBRUSH>(handle);
}

}  // namespace win
