#include "framework/Graphic.h"

#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TGraphic)
void TGraphic::DefineClass(TClassBuilder<TGraphic>&) {}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(stream);
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  CallEvent(OnChange, this);
}

void TGraphic::Progress(TObject* Sender, TProgressStage Stage, std::uint8_t PercentDone,
                        bool RedrawNow, const TRect& R, const std::string& Msg) {
  CallEvent(OnProgress, Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

void TGraphic::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !Empty());
}

void TGraphic::ReadData(TStream& Stream) {
  LoadFromStream(Stream);
}

void TGraphic::WriteData(TStream& Stream) {
  SaveToStream(Stream);
}

}  // namespace fw
