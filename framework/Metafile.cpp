#include "framework/Metafile.h"

#include <algorithm>

#include "framework/ByteOrder.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"

namespace fw {
namespace {

std::int32_t S16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(ReadLe16(p));
}
std::int32_t S32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(ReadLe32(p));
}

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

int Span(std::int64_t from, std::int64_t to) {
  return static_cast<int>(std::clamp<std::int64_t>(to - from, 0, 0x7FFFFFFF));
}

}  // namespace

TOVU_IMPLEMENT_CLASS(TMetafile)
void TMetafile::DefineClass(TClassBuilder<TMetafile>&) {}

void TMetafile::SetWidth(int Value) {
  if (Value == FWidth || Value < 0) return;
  FWidth = Value;
  Changed(this);
}

void TMetafile::SetHeight(int Value) {
  if (Value == FHeight || Value < 0) return;
  FHeight = Value;
  Changed(this);
}

void TMetafile::LoadFromStream(TStream& Stream) {
  const std::int64_t count = Stream.Size() - Stream.Position();
  if (count <= 0 || count > TMemoryStream::MaxSize)
    throw EInvalidGraphic(LoadResString(SInvalidMetafile));
  std::vector<std::uint8_t> data(static_cast<std::size_t>(count));
  Stream.ReadBuffer(data.data(), count);
  const std::uint8_t* d = data.data();
  int width = 0, height = 0;
  bool enhanced = false;
  if (data.size() >= 88 && ReadLe32(d) == kEmrHeader && ReadLe32(d + 40) == kEmfSignature) {
    // Bounds in device units, inclusive.
    enhanced = true;
    width = Span(S32(d + 8), static_cast<std::int64_t>(S32(d + 16)) + 1);
    height = Span(S32(d + 12), static_cast<std::int64_t>(S32(d + 20)) + 1);
  } else if (data.size() >= 22 && ReadLe32(d) == kPlaceableKey) {
    // Bounds in metafile units, with the units per inch; shown at 96 pixels per inch.
    const std::uint32_t inch = ReadLe16(d + 14);
    if (inch == 0) throw EInvalidGraphic(LoadResString(SInvalidMetafile));
    width = Span(0, static_cast<std::int64_t>(Span(S16(d + 6), S16(d + 10))) * 96 / inch);
    height = Span(0, static_cast<std::int64_t>(Span(S16(d + 8), S16(d + 12))) * 96 / inch);
  } else if (data.size() >= 18 && (ReadLe16(d) == 1 || ReadLe16(d) == 2) && ReadLe16(d + 2) == 9) {
    // A plain metafile does not say how large it is.
  } else {
    throw EInvalidGraphic(LoadResString(SInvalidMetafile));
  }
  FData = std::move(data);
  FWidth = width;
  FHeight = height;
  FEnhanced = enhanced;
  Changed(this);
}

void TMetafile::SaveToStream(TStream& Stream) {
  if (!FData.empty()) Stream.WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

void TMetafile::Assign(const TPersistent* Source) {
  if (Source == nullptr) {
    FData.clear();
    FWidth = FHeight = 0;
    Changed(this);
    return;
  }
  if (const auto* metafile = dynamic_cast<const TMetafile*>(Source)) {
    FData = metafile->FData;
    FWidth = metafile->FWidth;
    FHeight = metafile->FHeight;
    FEnhanced = metafile->FEnhanced;
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TMetafile::Draw(TCanvas*, const TRect&) {}

}  // namespace fw
