// TImage: a windowless control that shows a picture at its natural size, stretched (keeping
// its proportions if asked) or centred, and whose canvas draws on the picture's bitmap.
#pragma once

#include <memory>

#include "framework/Graphic.h"
#include "framework/GraphicControl.h"
#include "framework/Types.h"

namespace fw {

class TPicture;

class TImage : public TGraphicControl {
  TOVU_CLASS(TImage, TGraphicControl)

 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  // The canvas of the picture's bitmap. An empty picture first gets a white device-compatible
  // bitmap of the image's size; a picture of another kind raises EInvalidOperation.
  TCanvas* Canvas();

  TPicture* Picture() const { return FPicture.get(); }
  // Holds a copy of the given picture's graphic (none for null).
  void SetPicture(const TPicture* Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool IncrementalDisplay() const { return FIncrementalDisplay; }
  void SetIncrementalDisplay(bool Value) { FIncrementalDisplay = Value; }
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  // Where the picture is drawn, in the image's own coordinates.
  TRect DestRect() const;

  TProgressEvent OnProgress;

 protected:
  void Paint() override;
  // With AutoSize: the picture's width unless the alignment fixes it, likewise the height.
  void AdjustSize() override;

 private:
  void PictureChanged(TObject* Sender);
  void CheckPalette(TGraphic& Graphic);

  std::unique_ptr<TPicture> FPicture;
  bool FCenter = false;
  bool FIncrementalDisplay = false;
  bool FProportional = false;
  bool FStretch = false;
  bool FTransparent = false;
  bool FDrawing = false;
};

}  // namespace fw
