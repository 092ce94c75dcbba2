// The framework's cost over the platform: a 4000 x 3000 picture stretched into the main window's
// picture area through TCanvas::StretchDraw (the floor is the same StretchBlt called directly),
// and the reading of a form description of a window with forty components.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ClassRegistry.h"
#include "framework/Reader.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Gdi.h"

namespace {

using namespace fw;

struct TPictureScene {
  TBitmap Source;
  TBitmap Target;
  TPictureScene() {
    Source.SetPixelFormat(pf24bit);
    Source.SetSize(4000, 3000);
    for (int y = 0; y < 3000; ++y) {
      std::uint8_t* row = Source.ScanLine(y);
      for (int x = 0; x < 4000 * 3; ++x)
        row[x] = static_cast<std::uint8_t>(x * 7 + y);
    }
    Target.SetPixelFormat(pf32bit);
    Target.SetSize(600, 600);
  }
};

void BM_StretchDrawThroughCanvas(benchmark::State& state) {
  TPictureScene scene;
  TCanvas* canvas = scene.Target.Canvas();
  for (auto _ : state)
    canvas->StretchDraw(Bounds(5, 90, 590, 442), &scene.Source);
}
BENCHMARK(BM_StretchDrawThroughCanvas)->Unit(benchmark::kMillisecond);

void BM_StretchBltFloor(benchmark::State& state) {
  TPictureScene scene;
  const win::HDC target = scene.Target.Canvas()->Handle();
  const win::HBITMAP handle = scene.Source.Handle();
  const win::HDC source = win::CreateCompatibleDC(nullptr);
  const win::HGDIOBJ old = win::SelectObject(source, handle);
  win::SetStretchBltMode(target, win::COLORONCOLOR);
  for (auto _ : state)
    win::StretchBlt(target, 5, 90, 590, 442, source, 0, 0, 4000, 3000, win::SRCCOPY);
  win::SelectObject(source, old);
  win::DeleteDC(source);
}
BENCHMARK(BM_StretchBltFloor)->Unit(benchmark::kMillisecond);

class TBenchItem : public TComponent {
  TOVU_CLASS(TBenchItem, TComponent)

 public:
  explicit TBenchItem(TComponent* AOwner) : TComponent(AOwner) {}
  int Left() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

 private:
  int FLeft = 0;
  std::string FCaption;
  TColor FColor = clBtnFace;
};
TOVU_IMPLEMENT_CLASS(TBenchItem)
void TBenchItem::DefineClass(TClassBuilder<TBenchItem>& b) {
  b.Property("Left", &TBenchItem::Left, &TBenchItem::SetLeft).Default(0);
  b.Property("Caption", &TBenchItem::Caption, &TBenchItem::SetCaption).Default("");
  b.Property("Color", &TBenchItem::Color, &TBenchItem::SetColor).Idents(ColorIdents());
}

void BM_ReadFormDescription(benchmark::State& state) {
  RegisterClass(TBenchItem::StaticClass());
  std::string text = "object Form1: TBenchItem\n";
  for (int i = 0; i < 40; ++i)
    text += "  object Item" + std::to_string(i) +
            ": TBenchItem\n    Left = " + std::to_string(i * 10) + "\n    Caption = '項目 " +
            std::to_string(i) + "'\n    Color = clWhite\n  end\n";
  text += "end\n";
  for (auto _ : state) {
    TBenchItem form(nullptr);
    ReadComponentFromText(&form, text);
    benchmark::DoNotOptimize(form.ComponentCount());
  }
}
BENCHMARK(BM_ReadFormDescription)->Unit(benchmark::kMicrosecond);

}  // namespace
