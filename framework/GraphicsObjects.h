// Pens, brushes and fonts: values with a change notification whose platform object is created on
// first use and shared, reference-counted, by every pen (brush, font) of equal values.
#pragma once

#include <memory>
#include <string>

#include "framework/Color.h"
#include "framework/EnumInfo.h"
#include "framework/Events.h"
#include "framework/Persistent.h"
#include "framework/Set.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TBitmap;

TOVU_ENUM(TPenStyle, std::uint8_t, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear,
          psInsideFrame)
TOVU_ENUM(TPenMode, std::uint8_t, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot,
          pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor,
          pmNotXor)
TOVU_ENUM(TBrushStyle, std::uint8_t, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal,
          bsBDiagonal, bsCross, bsDiagCross)
TOVU_ENUM(TFontStyle, std::uint8_t, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
TOVU_ENUM(TFontPitch, std::uint8_t, fpDefault, fpVariable, fpFixed)
using TFontCharset = std::uint8_t;

// The platform's mix mode (R2_...) of a pen mode.
int PenModeToROP2(TPenMode mode);
// The platform's pen style (PS_...) of a pen style.
int PenStyleToPS(TPenStyle style);

// Character set names for form descriptions (SHIFTJIS_CHARSET ...).
const TIdentMap& CharsetIdents();

// Base of pens, brushes and fonts: OnChange tells the owner (a canvas, a control) of changes.
class TGraphicsObject : public TPersistent {
  TOVU_CLASS(TGraphicsObject, TPersistent)

 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

namespace detail {
struct TPenResource;
struct TBrushResource;
struct TFontResource;
}  // namespace detail

class TPen : public TGraphicsObject {
  TOVU_CLASS(TPen, TGraphicsObject)

 public:
  TPen();
  ~TPen() override;

  TColor Color() const;
  void SetColor(TColor Value);
  // A width below 0 is ignored; 0 is the platform's thinnest pen.
  int Width() const;
  void SetWidth(int Value);
  TPenStyle Style() const;
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  // The shared platform pen of these values, created on first use.
  win::HPEN Handle() const;

  void Assign(const TPersistent* Source) override;

 private:
  void SetData(TColor color, int width, TPenStyle style);

  std::shared_ptr<detail::TPenResource> FResource;
  TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
  TOVU_CLASS(TBrush, TGraphicsObject)

 public:
  TBrush();
  ~TBrush() override;

  // Setting a colour while the style is bsClear makes the brush solid again.
  TColor Color() const;
  void SetColor(TColor Value);
  // Setting bsClear also sets the colour to clWhite.
  TBrushStyle Style() const;
  void SetStyle(TBrushStyle Value);
  // A pattern bitmap: the brush keeps its own copy; null removes the pattern.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap* Value);
  win::HBRUSH Handle() const;

  void Assign(const TPersistent* Source) override;

 private:
  void SetData(TColor color, TBrushStyle style);

  std::shared_ptr<detail::TBrushResource> FResource;
  std::unique_ptr<TBitmap> FBitmap;
};

class TFont : public TGraphicsObject {
  TOVU_CLASS(TFont, TGraphicsObject)

 public:
  TFont();
  ~TFont() override;

  // The height of the characters in pixels when negative (the cell height when positive).
  int Height() const;
  void SetHeight(int Value);
  // The size in points at PixelsPerInch.
  int Size() const;
  void SetSize(int Value);
  const std::string& Name() const;
  void SetName(const std::string& Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  TFontCharset Charset() const;
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const;
  void SetPitch(TFontPitch Value);
  int Orientation() const;
  void SetOrientation(int Value);
  // The text colour; not part of the platform font.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value > 0 ? Value : FPixelsPerInch; }
  // The shared platform font of these values, created on first use.
  win::HFONT Handle() const;

  void Assign(const TPersistent* Source) override;

 private:
  template <class F>
  void Change(F&& edit);

  std::shared_ptr<detail::TFontResource> FResource;
  TColor FColor;
  int FPixelsPerInch = 96;
};

}  // namespace fw
