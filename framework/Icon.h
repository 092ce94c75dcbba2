// Icons: the first image of an icon file, drawn the way the platform draws icons (the AND mask,
// then the colour image XOR-ed on), and the file kept to be written back unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphic.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TIcon : public TGraphic {
  TOVU_CLASS(TIcon, TGraphic)

 public:
  TIcon();
  ~TIcon() override;

  bool Empty() const override { return FImage == nullptr; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // An icon's size comes from its file: EInvalidGraphicOperation.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  bool Transparent() const override { return true; }

  // Reads an icon file (uncompressed images); anything else raises EInvalidGraphic.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;
  void Assign(const TPersistent* Source) override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  void Clear();
  void Parse(const std::vector<std::uint8_t>& File);

  std::vector<std::uint8_t> FFile;
  win::HBITMAP FImage = nullptr;
  win::HBITMAP FMask = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

}  // namespace fw
