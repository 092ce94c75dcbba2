// Test support for the shine speed button: a form on the headless backend with the button class
// registered, buttons placed on it, what the form shows, small glyphs made pixel by pixel, and a
// button whose drawing state a test can set.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "controls/shine/ShineSpdBtn.h"
#include "framework/Form.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace shine::testing {

// A button whose drawing state can be set directly, for looking at one state's drawing.
class TStateButton : public TShineSpeedButton {
 public:
  using TShineSpeedButton::TShineSpeedButton;
  void ForceState(TShineState State) { FState = State; }
};

class TShineTest : public fw::testing::TFrameworkTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A button on the form at (Left, Top), client coordinates.
  template <class T = TShineSpeedButton>
  T* Place(int Left, int Top, int Width = 25, int Height = 25) {
    T* button = fw::NewComponent<T>(FForm);
    button->SetBounds(Left, Top, Width, Height);
    button->SetParent(FForm);
    Pump();
    return button;
  }
  // The colour 0x00BBGGRR the form shows at a client point.
  fw::TColor ShownAt(int X, int Y) const;
  // Moves the pointer to a client point of the form.
  void PointAt(int X, int Y);
  // Presses and releases the left button over a client point of the form.
  void ClickOn(int X, int Y);

  fw::TForm* FForm = nullptr;
};

// A 24-bit picture from rows of colour letters: each letter stands for the colour the map gives
// it ('.' for the background lime unless mapped otherwise).
struct TColorKey {
  char Letter;
  fw::TColor Color;
};
void PaintGlyph(fw::TBitmap& Bitmap, std::initializer_list<const char*> Rows,
                std::initializer_list<TColorKey> Keys);

// The colour of a bitmap's pixel, 0x00BBGGRR.
fw::TColor PixelOf(fw::TBitmap& Bitmap, int X, int Y);

}  // namespace shine::testing
