// Test support for the transparent controls: a white form on the headless backend with the
// control classes registered, what the form shows, and window regions as pixel sets.
#pragma once

#include <cstdint>
#include <set>
#include <string_view>
#include <utility>

#include "controls/clear/ClearCtrl.h"
#include "framework/Form.h"
#include "framework/Picture.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace clear::testing {

using TPixelSet = std::set<std::pair<int, int>>;

// A 24-bit picture of a card: `Card` in `Inside`, `Margin` around it (the bottom-left colour,
// which a transparent control takes as its empty one).
void CardPicture(fw::TPicture& Picture, int Width, int Height, fw::TColor Margin, fw::TColor Card,
                 const fw::TRect& Inside);

class TClearTest : public fw::testing::TFrameworkTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A control placed on the form (client coordinates), with its window created and shown.
  template <class T>
  T* Place(int Left, int Top, int Width, int Height, fw::TWinControl* Parent = nullptr) {
    T* control = fw::NewComponent<T>(FForm);
    control->SetParent(Parent != nullptr ? Parent : FForm);
    control->SetBounds(Left, Top, Width, Height);
    Pump();
    return control;
  }
  // Reads a form description into a new form shown at (0, 0).
  fw::TForm* FormFrom(std::string_view Description);

  // The colour 0x00RRGGBB the form shows at a client point.
  std::uint32_t ShownAt(int X, int Y) const;
  // The pixels of a window's region in its own coordinates; empty without a region.
  static TPixelSet RegionPixels(win::HWND Window);
  // The pixels of a region handle.
  static TPixelSet PixelsOf(win::HRGN Region);
  // Moves the pointer to a client point of the form.
  void PointAt(int X, int Y);

  fw::TForm* FForm = nullptr;
};

}  // namespace clear::testing
