// TClearControl's window region: requests posted to the control's own window and coalesced, the
// region of the state image joined with what the children cover (a windowless child with the
// very pixels it paints), and the cut of the control's window (and, with FormTrans, of the
// top-level window); the picture's change notification.
#include "controls/clear/ClearControl.h"
#include "controls/clear/OpaqueRuns.h"
#include "framework/Canvas.h"
#include "framework/ComponentMessages.h"
#include "framework/GdiHandles.h"
#include "framework/GraphicControl.h"
#include "framework/ScopeExit.h"
#include "framework/platform/GdiDc.h"
#include "framework/platform/GdiRegions.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Rects.h"
#include "framework/platform/Shell.h"
#include "framework/platform/Window.h"

#include <span>
#include <vector>

namespace clear {

namespace {

using fw::gdihandles::TOwned;

// A region hidden far outside any window: an empty window region would show the whole window.
constexpr win::RECT FarPixel{-3000, -3000, -2999, -2999};

TOwned<win::HRGN> EmptyRegion() {
  return TOwned<win::HRGN>(win::CreateRectRgn(0, 0, 0, 0));
}

void AddRect(win::HRGN Region, const win::RECT& Rect) {
  const TOwned<win::HRGN> part(win::CreateRectRgnIndirect(&Rect));
  win::CombineRgn(Region, Region, part.Get(), win::RGN_OR);
}

// A windowed child counts with its own window region, or its bounds when it has none.
void AddWindowedChild(fw::TWinControl& Child, win::HRGN Region) {
  const TOwned<win::HRGN> shape = EmptyRegion();
  win::GetWindowRgn(Child.Handle(), shape.Get());
  win::RECT box{};
  win::GetRgnBox(shape.Get(), &box);
  if (win::IsRectEmpty(&box)) {
    const win::RECT bounds = Child.BoundsRect();
    win::SetRectRgn(shape.Get(), bounds.left, bounds.top, bounds.right, bounds.bottom);
  } else {
    win::OffsetRgn(shape.Get(), Child.Left(), Child.Top());
  }
  win::CombineRgn(Region, Region, shape.Get(), win::RGN_OR);
}

TOwned<win::HRGN> CopyOf(win::HRGN Region) {
  TOwned<win::HRGN> copy = EmptyRegion();
  win::CombineRgn(copy.Get(), Region, nullptr, win::RGN_COPY);
  return copy;
}

}  // namespace

void TClearControl::UpdateRgn() {
  if (!HandleAllocated()) return;
  if (!FRegionNow) {
    win::PostMessageA(Handle(), CM_UPDATERGN, 0, 0);
    return;
  }
  if (const auto* parent = dynamic_cast<const TClearControl*>(Parent());
      parent != nullptr && parent->FUpdateDepth != 0) {
    return;
  }
  WinRgnSet(FPressed && FDownShown);
}

void TClearControl::UpdateRgnNow() {
  FRegionNow = true;
  const fw::TScopeExit done([this] { FRegionNow = false; });
  UpdateRgn();
}

void TClearControl::CMUpdateRgn(fw::TMessage&) {
  win::MSG later{};
  if (win::PeekMessageA(&later, Handle(), CM_UPDATERGN, CM_UPDATERGN, win::PM_NOREMOVE)) return;
  UpdateRgnNow();
}

void TClearControl::FlushRgn() {
  if (!HandleAllocated()) return;
  win::MSG queued{};
  bool pending = false;
  while (win::PeekMessageA(&queued, Handle(), CM_UPDATERGN, CM_UPDATERGN, win::PM_REMOVE))
    pending = true;
  if (pending) UpdateRgnNow();
}

// Without this a child moved after the last region update (the main window places its picture
// after fitting the client area) would be cut to where it was, and the state image's empty colour
// would show where it no longer paints. A child that moves while alignment is disabled only
// leaves the request pending; the realign that follows names no child.
void TClearControl::AlignControls(fw::TControl* AControl, win::RECT& Rect) {
  const bool childMoved = AControl != nullptr ? AControl->Parent() == this
                                              : ControlState().Contains(fw::csAlignmentNeeded);
  inherited::AlignControls(AControl, Rect);
  if (childMoved) UpdateRgn();
}

void TClearControl::CMControlChange(fw::TMessage& Message) {
  const bool inserting = Message.LParam != 0;
  if (inserting) {
    UpdateRgn();
  } else {
    FRemovingControl = reinterpret_cast<fw::TControl*>(Message.WParam);
    const fw::TScopeExit removed([this] { FRemovingControl = nullptr; });
    UpdateRgn();
  }
  Invalidate();
}

void TClearControl::WinRgnSet(bool Down) {
  if (IsDesigning() && !HasOption(sioTransAtDesigning)) {
    Invalidate();
    return;
  }
  // A window that is not shown yet needs no region: showing it asks for one.
  if (IsLoading() || !Visible() || !Showing()) return;
  if (FUpdateDepth != 0) {
    win::MessageBeep(0);
    return;
  }
  if (!Canvas()->TryLock()) return;
  const fw::TScopeExit unlock([this] { Canvas()->Unlock(); });
  ++FRegionCount;

  TOwned<win::HRGN> region = EmptyRegion();
  win::CombineRgn(region.Get(), Down ? FDownRgn : FUpRgn, nullptr, win::RGN_COPY);
  std::vector<win::RECT> paintingChildren;
  for (int i = 0; i < ControlCount(); ++i) {
    fw::TControl* child = Controls(i);
    if (child == FRemovingControl || !child->Visible()) continue;
    if (auto* windowed = dynamic_cast<fw::TWinControl*>(child)) {
      AddWindowedChild(*windowed, region.Get());
    } else if (FChildGraphicsTrans && dynamic_cast<fw::TGraphicControl*>(child) != nullptr) {
      paintingChildren.push_back(child->BoundsRect());
    } else {
      AddRect(region.Get(), child->BoundsRect());
    }
  }
  AddChildPixels(paintingChildren, region.Get());

  win::RECT box{};
  win::GetRgnBox(region.Get(), &box);
  if (win::IsRectEmpty(&box))
    win::SetRectRgn(region.Get(), FarPixel.left, FarPixel.top, FarPixel.right, FarPixel.bottom);
  ApplyRegion(region.Get());
}

// The windowless children paint, on the transparent colour, into a bitmap that covers their
// bounds within the control (the control itself paints nothing into it). It holds what they all
// paint together, so one scan of the pixels within their bounds gives the union of what each of
// them paints. A control without such children needs no bitmap, whatever its size.
void TClearControl::AddChildPixels(std::span<const win::RECT> ChildBounds, win::HRGN Region) {
  win::RECT area{};
  for (const win::RECT& bounds : ChildBounds)
    win::UnionRect(&area, &area, &bounds);
  const win::RECT client{0, 0, Width(), Height()};
  if (!win::IntersectRect(&area, &area, &client)) return;

  std::unique_ptr<fw::TBitmap> painted = NewImage(area.right - area.left, area.bottom - area.top);
  const win::HDC dc = painted->Canvas()->Handle();
  win::SetWindowOrgEx(dc, area.left, area.top, nullptr);
  {
    FPaintingForRegion = true;
    const fw::TScopeExit paintedDone([this] { FPaintingForRegion = false; });
    Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
  }
  std::vector<win::RECT> inBitmap(ChildBounds.begin(), ChildBounds.end());
  for (win::RECT& bounds : inBitmap)
    win::OffsetRect(&bounds, -area.left, -area.top);
  const TOwned<win::HRGN> pixels = EmptyRegion();
  AddOpaqueRuns(*painted, FTransparentColor, inBitmap, pixels.Get());
  win::OffsetRgn(pixels.Get(), area.left, area.top);
  win::CombineRgn(Region, Region, pixels.Get(), win::RGN_OR);
}

// The window gets a copy of the region (which then belongs to the platform); with FormTrans the
// top-level window is cut to the same shape, moved to where the control's client area lies in
// that window, and the control's parent is not told.
void TClearControl::ApplyRegion(win::HRGN Region) {
  TOwned<win::HRGN> own = CopyOf(Region);
  if (!FFormTrans) {
    win::SetWindowRgn(Handle(), own.Release(), win::TRUE);
    if (auto* parent = dynamic_cast<TClearControl*>(Parent());
        parent != nullptr && parent->HandleAllocated()) {
      win::PostMessageA(parent->Handle(), CM_UPDATERGN, 0, 0);
    }
    return;
  }
  TOwned<win::HRGN> top = CopyOf(Region);
  fw::TWinControl* topLevel = TopLevelParent();
  win::SetWindowRgn(Handle(), own.Release(), win::TRUE);
  if (topLevel == nullptr) return;
  win::RECT outer{};
  win::GetWindowRect(topLevel->Handle(), &outer);
  const win::POINT origin = ClientOrigin();
  win::OffsetRgn(top.Get(), origin.x - outer.left, origin.y - outer.top);
  win::SetWindowRgn(topLevel->Handle(), top.Release(), win::TRUE);
}

void TClearControl::PictureChanged(fw::TObject*) {
  fw::TGraphic* graphic = FPicture->Graphic();
  if (graphic == nullptr || graphic->Empty()) {
    FTransparentColor = fw::clFuchsia;
    Rebuild();
    return;
  }
  BeginUpdate();
  RouteNotification(false);
  fw::RunThenFinally(
      [&] {
        AutoSizeArrange();
        if (auto* bitmap = dynamic_cast<fw::TBitmap*>(graphic)) {
          bitmap->SetPixelFormat(fw::pf24bit);
          bitmap->SetTransparent(true);
          FTransparentColor = fw::TColor(fw::ColorToRGB(bitmap->TransparentColor()) & 0xFFFFFF);
        }
      },
      [this] {
        RouteNotification(true);
        EndUpdate();
      });
}

}  // namespace clear
