// Drawing shared by the standard controls: three-dimensional bevels, button faces, captions
// (dimmed when disabled) and the measuring of texts in a font.
#pragma once

#include <string>

#include "framework/Canvas.h"
#include "framework/Types.h"

namespace fw {

// Draws Width rings of a bevel just inside Rect (top and left edges in TopColor, bottom and right
// in BottomColor) and shrinks Rect by them.
void Frame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
// The face of a push button in its frame: raised, or sunken while pressed; shrinks Rect to the
// area inside the frame.
void DrawButtonFace(TCanvas& Canvas, TRect& Rect, bool Pressed);
// A dotted rectangle just inside Rect, the keyboard focus mark.
void DrawFocusMark(TCanvas& Canvas, const TRect& Rect);
// Draws Text with DrawText's Flags in the canvas font, transparently; a disabled caption is drawn
// embossed in the highlight and shadow colours.
void DrawCaption(TCanvas& Canvas, TRect Rect, const std::string& Text, unsigned Flags,
                 bool Enabled);
// The extent of Text in Font as DrawText lays it out with Flags (MaxWidth limits word-wrapped
// lines; 0 for no limit).
TSize MeasureText(const TFont& Font, const std::string& Text, unsigned Flags, int MaxWidth);

}  // namespace fw
