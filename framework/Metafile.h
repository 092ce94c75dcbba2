// Metafiles (wmf and emf): the file's records are kept and written back, and the picture size is
// taken from the file's header; playing the records back is not supported, so a metafile draws
// nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Graphic.h"

namespace fw {

class TMetafile : public TGraphic {
  TOVU_CLASS(TMetafile, TGraphic)

 public:
  bool Empty() const override { return FData.empty(); }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  bool Enhanced() const { return FEnhanced; }

  // Accepts an enhanced metafile, a placeable metafile or a plain metafile header; anything
  // else raises EInvalidGraphic.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;
  void Assign(const TPersistent* Source) override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  std::vector<std::uint8_t> FData;
  int FWidth = 0;
  int FHeight = 0;
  bool FEnhanced = false;
};

}  // namespace fw
