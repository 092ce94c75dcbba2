#include "gfx/Image.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Icon.h"
#include "framework/Metafile.h"
#include "framework/Picture.h"
#include "framework/ScopeExit.h"
#include "framework/TypeInfo.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Messages.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TImage)

void TImage::DefineClass(TClassBuilder<TImage>& b) {
  b.Publish("Align");
  b.Publish("Anchors");
  b.Publish("AutoSize");
  b.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  b.Publish("DragCursor");
  b.Publish("DragKind");
  b.Publish("DragMode");
  b.Publish("Enabled");
  b.Property("IncrementalDisplay", &TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay)
      .Default(false);
  b.Publish("ParentShowHint");
  b.Property("Picture", &TImage::Picture, &TImage::SetPicture);
  b.Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
  b.Publish("ShowHint");
  b.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  b.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
  b.Publish("Visible");
  b.Publish(ClickAndMouseEvents);
  b.Property<TProgressEvent>(
       "OnProgress", [](const TImage& image) { return image.OnProgress; },
       [](TImage& image, TProgressEvent handler) { image.OnProgress = std::move(handler); })
      .Unpublished();
}

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csReplicatable);
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  FPicture->OnProgress = [this](TObject* Sender, TProgressStage Stage, std::uint8_t Percent,
                                bool RedrawNow, const TRect& R, const std::string& Msg) {
    CallEvent(OnProgress, Sender, Stage, Percent, RedrawNow, R, Msg);
  };
  SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() = default;

void TImage::SetPicture(const TPicture* Value) {
  FPicture->Assign(Value);
}

void TImage::SetCenter(bool Value) {
  if (FCenter == Value) return;
  FCenter = Value;
  PictureChanged(this);
}

void TImage::SetProportional(bool Value) {
  if (FProportional == Value) return;
  FProportional = Value;
  PictureChanged(this);
}

void TImage::SetStretch(bool Value) {
  if (FStretch == Value) return;
  FStretch = Value;
  PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  PictureChanged(this);
}

TRect TImage::DestRect() const {
  const int w = FPicture->Width(), h = FPicture->Height();
  const int cw = ClientWidth(), ch = ClientHeight();
  int dw = w, dh = h;
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    dw = cw;
    dh = ch;
    if (FProportional && w > 0 && h > 0) {
      const double ratio = double(w) / double(h);
      if (w > h) {
        dh = int(cw / ratio);
        if (dh > ch) {
          dh = ch;
          dw = int(ch * ratio);
        }
      } else {
        dw = int(ch * ratio);
        if (dw > cw) {
          dw = cw;
          dh = int(cw / ratio);
        }
      }
    }
  }
  TRect rect{0, 0, dw, dh};
  if (FCenter) {
    const int dx = (cw - dw) / 2, dy = (ch - dh) / 2;
    rect = TRect{dx, dy, dx + dw, dy + dh};
  }
  return rect;
}

void TImage::PictureChanged(TObject*) {
  if (AutoSize() && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  if (TGraphic* graphic = FPicture->Graphic()) {
    if (dynamic_cast<TMetafile*>(graphic) == nullptr && dynamic_cast<TIcon*>(graphic) == nullptr)
      graphic->SetTransparent(FTransparent);
    const TRect rect = DestRect();
    const bool covers =
        rect.Left <= 0 && rect.Top <= 0 && rect.Right >= Width() && rect.Bottom >= Height();
    if (!graphic->Transparent() && covers)
      FControlStyle.Include(csOpaque);
    else
      FControlStyle.Exclude(csOpaque);
    CheckPalette(*graphic);
  } else {
    FControlStyle.Exclude(csOpaque);
  }
  if (!FDrawing) Invalidate();
}

// A graphic with a new palette has the form realise it: at once while the image paints,
// otherwise through the form's message queue.
void TImage::CheckPalette(TGraphic& Graphic) {
  if (!Visible() || IsLoading() || !Graphic.PaletteModified()) return;
  if (Graphic.Palette() == nullptr) {
    Graphic.SetPaletteModified(false);
    return;
  }
  TCustomForm* form = ParentForm();
  if (form == nullptr || !form->HandleAllocated()) return;
  if (FDrawing) {
    form->Perform(win::WM_QUERYNEWPALETTE, 0, 0);
  } else {
    win::PostMessageA(form->Handle(), win::WM_QUERYNEWPALETTE, 0, 0);
  }
  Graphic.SetPaletteModified(false);
  if (FDrawing) Update();
}

void TImage::AdjustSize() {
  if (!AutoSize() || IsLoading()) return;
  int width = Width(), height = Height();
  if (Align() == alNone || Align() == alLeft || Align() == alRight) width = FPicture->Width();
  if (Align() == alNone || Align() == alTop || Align() == alBottom) height = FPicture->Height();
  SetBounds(Left(), Top(), width, height);
}

TCanvas* TImage::Canvas() {
  if (FPicture->Graphic() == nullptr) {
    TBitmap blank;
    blank.SetSize(Width(), Height());
    FPicture->SetGraphic(&blank);
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic())) return bitmap->Canvas();
  throw EInvalidOperation(LoadResString(SImageCanvasNeedsBitmap));
}

void TImage::Paint() {
  // A progress handler may destroy the image while its picture is being decoded.
  const TWeakRef<TControl> self(this);
  const bool wasDrawing = FDrawing;
  FDrawing = true;
  const TScopeExit drawn([&] {
    if (self) FDrawing = wasDrawing;
  });
  if (TGraphic* graphic = FPicture->Graphic())
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}

}  // namespace fw
