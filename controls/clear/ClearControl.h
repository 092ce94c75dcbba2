// TClearControl: a windowed control that pre-renders its look (picture, caption, generated border
// and shadow) into state images and cuts its window, with a window region, down to the pixels its
// current image and its children paint, so that its parent shows through everywhere else.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "controls/clear/ClearTypes.h"
#include "framework/Bitmap.h"
#include "framework/ControlTypes.h"
#include "framework/CustomControl.h"
#include "framework/Events.h"
#include "framework/Picture.h"
#include "framework/Types.h"

namespace clear {

class TClearControl : public fw::TCustomControl {
  TOVU_CLASS(TClearControl, fw::TCustomControl)

 public:
  explicit TClearControl(fw::TComponent* AOwner);
  ~TClearControl() override;

  // Property changes inside a batch only store their values; the outermost EndUpdate (or an
  // EndUpdate without a batch) rebuilds the images and the region.
  void BeginUpdate();
  void EndUpdate();

  void SetAutoSize(bool Value) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Applies a region update still waiting in the queue at once, so that what the window shows
  // (and a copy of it) follows the children as they are now.
  void FlushRgn();

  fw::TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(fw::TBorderStyle Value);
  int CaptionLeft() const { return FCaptionLeft; }
  void SetCaptionLeft(int Value);
  int CaptionTop() const { return FCaptionTop; }
  void SetCaptionTop(int Value);
  TTransBtnStyle Style() const { return FStyle; }
  void SetStyle(TTransBtnStyle Value);
  TTransImgOptions Options() const { return FOptions; }
  void SetOptions(TTransImgOptions Value);
  fw::TColor TransparentColor() const { return FTransparentColor; }
  void SetTransColor(fw::TColor Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  std::uint8_t HotLightDepth() const { return FHotLightDepth; }
  void SetHotLightDepth(std::uint8_t Value);
  fw::TColor LightColor() const { return FLightColor; }
  void SetLightColor(fw::TColor Value);
  fw::TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(fw::TColor Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  fw::TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const fw::TPicture* Value);
  bool ChildGraphicsTrans() const { return FChildGraphicsTrans; }
  void SetChildGraphicsTrans(bool Value);
  bool FormTrans() const { return FFormTrans; }
  void SetFormTrans(bool Value);
  bool ParentDrag() const { return FParentDrag; }
  void SetParentDrag(bool Value) { FParentDrag = Value; }

  // The state images and regions as last built (the hot and gray images may be absent).
  fw::TBitmap* UpImage() const { return FUpImage.get(); }
  fw::TBitmap* DownImage() const { return FDownImage.get(); }
  fw::TBitmap* HotImage() const { return FHotImage.get(); }
  fw::TBitmap* GrayImage() const { return FGrayImage.get(); }
  win::HRGN UpRgn() const { return FUpRgn; }
  win::HRGN DownRgn() const { return FDownRgn; }
  // How many image builds and window-region computations have run so far.
  int BuildCount() const { return FBuildCount; }
  int RegionCount() const { return FRegionCount; }
  bool Pressed() const { return FPressed; }
  bool DownShown() const { return FDownShown; }
  bool ParentDragging() const { return FParentDragging; }

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

 protected:
  void Loaded() override;
  void ReadState(fw::TReader& Reader) override;
  void PaintWindow(win::HDC DC) override;
  void Paint() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseMove(fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void Click() override;
  void Resize() override;
  // A child moved, was resized, shown or hidden, also while alignment was disabled: the region
  // follows it (posted, coalesced).
  void AlignControls(fw::TControl* AControl, win::RECT& Rect) override;
  // Applies the size the content asks for; the panel also encloses its children.
  virtual void DoAutoSizeArrange(int AWidth, int AHeight);

  // Sizes the control to its caption and picture while AutoSize is on.
  void AutoSizeArrange();
  // Rebuilds the state images and their regions, then the window region at once.
  void MakeBtnImageAndRgn();
  // Asks for a window-region update: posted (and coalesced), or at once during a build.
  void UpdateRgn();
  // Computes the window region of the up or down state with the children and applies it.
  void WinRgnSet(bool Down);
  void PictureChanged(fw::TObject* Sender);
  // Whether the pointer is over the control; unless ForClick, also redraws the up, hot or gray
  // image with the children.
  bool MouseUpViewUpdate(bool ForClick);
  void PaintGraphicControls();

  void CMFontChanged(fw::TMessage& Message);
  void CMColorChanged(fw::TMessage& Message);
  void CMTextChanged(fw::TMessage& Message);
  void CMMouseEnter(fw::TMessage& Message);
  void CMMouseLeave(fw::TMessage& Message);
  void CMControlChange(fw::TMessage& Message);
  void CMShowingChanged(fw::TMessage& Message);
  void CMEnabledChanged(fw::TMessage& Message);
  void CMUpdateRgn(fw::TMessage& Message);

  // Values the concrete classes set in their constructors, without a build.
  TTransBtnStyle FStyle = sbsPushBtn;
  TTransImgOptions FOptions;
  fw::TBorderStyle FBorderStyle = fw::bsSingle;
  // Largest width and height SetBounds accepts; 0 or less means no limit.
  fw::TPoint FMaxSize;

 private:
  // The border width of the size formulas: 0 for bsNone, 1 for bsSingle.
  int B() const { return FBorderStyle == fw::bsSingle ? 1 : 0; }
  bool HasOption(TTransImgOption Option) const { return FOptions.Contains(Option); }
  // The down image is built with the generated edges, or for any style that can be pressed.
  bool BuildsDownImage() const { return HasOption(sioBorderAndShadow) || FStyle != sbsImage; }
  // An option's image that a batch has not built yet shows as the up image.
  fw::TBitmap* OrUpImage(const std::unique_ptr<fw::TBitmap>& Image) const {
    return Image ? Image.get() : FUpImage.get();
  }
  // The top of the parent chain (the window FormTrans cuts); none without a parent.
  fw::TWinControl* TopLevelParent() const;
  void RouteNotification(bool Connected);
  // Rebuild and repaint, the follow-up of most property changes.
  void Rebuild();

  // The build steps, into a set of images and regions put in force only once all are made.
  struct TStateImages;
  bool DrawsNothing() const;
  TStateImages BuildEmptyStateImages() const;
  TStateImages BuildStateImagesAndRegions() const;
  void PutInForce(TStateImages& Images);
  std::unique_ptr<fw::TBitmap> NewImage(int Width, int Height) const;
  std::unique_ptr<fw::TBitmap> BuildBaseImage() const;
  void DrawCaption(fw::TBitmap& Base) const;
  std::unique_ptr<fw::TBitmap> BuildLightMask(fw::TBitmap& Base, fw::TColor Light) const;
  std::unique_ptr<fw::TBitmap> RecolorMask(fw::TBitmap& Source, fw::TColor Key,
                                           fw::TColor Fill) const;
  struct TMasks;
  std::unique_ptr<fw::TBitmap> BuildStateImage(bool Down, fw::TBitmap& Base,
                                               const TMasks* Masks) const;
  win::HRGN RegionOf(fw::TBitmap& Image) const;
  void RecolorDrawnPixels(fw::TBitmap& Image, fw::TColor (*Change)(fw::TColor, int),
                          int Amount) const;
  void AddChildPixels(std::span<const win::RECT> ChildBounds, win::HRGN Region);
  // The region update at once, as a build and a handled request run it.
  void UpdateRgnNow();
  void ApplyRegion(win::HRGN Region);
  // Draws an image at (0, 0) onto the control's window and then the windowless children.
  void DrawDirectly(fw::TBitmap* Image);
  fw::TBitmap* ImageByRuleB();
  bool OverControl() const;

  fw::TColor FTransparentColor = fw::clFuchsia;
  std::unique_ptr<fw::TBitmap> FUpImage;
  std::unique_ptr<fw::TBitmap> FHotImage;
  std::unique_ptr<fw::TBitmap> FDownImage;
  std::unique_ptr<fw::TBitmap> FGrayImage;
  win::HRGN FUpRgn = nullptr;
  win::HRGN FDownRgn = nullptr;
  int FCaptionLeft = -1;
  int FCaptionTop = -1;
  int FUpdateDepth = 0;
  bool FPressed = false;
  bool FDownShown = false;
  fw::TPoint FLastMousePos;
  bool FCaptionCleared = false;
  bool FHotTrack = true;
  fw::TColor FLightColor = fw::clBtnHighlight;
  fw::TColor FShadowColor = fw::clBtnShadow;
  bool FStretch = false;
  fw::TControl* FRemovingControl = nullptr;
  std::unique_ptr<fw::TPicture> FPicture;
  bool FParentDrag = false;
  bool FFormTrans = false;
  bool FParentDragging = false;
  fw::TPoint FDragGrab;
  bool FChildGraphicsTrans = false;
  bool FPaintingForRegion = false;
  bool FRegionNow = false;
  bool FInPaintWindow = false;
  std::uint8_t FHotLightDepth = 128;
  int FBuildCount = 0;
  int FRegionCount = 0;
};

}  // namespace clear
