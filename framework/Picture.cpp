#include "framework/Picture.h"

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/FilePaths.h"
#include "framework/Filer.h"
#include "framework/Icon.h"
#include "framework/Metafile.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/platform/CodePage.h"

namespace fw {

std::string LowerCaseText(std::string_view text) {
  std::string out(text);
  const win::UINT codePage = win::GetACP();
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t step = win::CharLength(codePage, std::string_view(out).substr(i));
    if (step == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    i += step;
  }
  return out;
}

void TFileFormatsList::Add(std::string_view Extension, std::string_view Description,
                           TClass GraphicClass) {
  FEntries.push_back(TEntry{LowerCaseText(Extension), std::string(Description), GraphicClass});
}

void TFileFormatsList::Remove(TClass GraphicClass) {
  std::erase_if(FEntries, [&](const TEntry& e) { return e.GraphicClass == GraphicClass; });
}

TClass TFileFormatsList::FindExt(std::string_view Extension) const {
  const std::string wanted = LowerCaseText(Extension);
  for (auto it = FEntries.rbegin(); it != FEntries.rend(); ++it)
    if (it->Extension == wanted) return it->GraphicClass;
  return nullptr;
}

TClass TFileFormatsList::FindClassName(std::string_view ClassName) const {
  for (auto it = FEntries.rbegin(); it != FEntries.rend(); ++it)
    if (SameIdent(it->GraphicClass->ClassName(), ClassName)) return it->GraphicClass;
  return nullptr;
}

TFileFormatsList& GetFileFormats() {
  static TFileFormatsList list = [] {
    TFileFormatsList formats;
    formats.Add("wmf", LoadResString(SVMetafiles), TMetafile::StaticClass());
    formats.Add("emf", LoadResString(SVEnhMetafiles), TMetafile::StaticClass());
    formats.Add("ico", LoadResString(SVIcons), TIcon::StaticClass());
    formats.Add("bmp", LoadResString(SVBitmaps), TBitmap::StaticClass());
    return formats;
  }();
  return list;
}

TOVU_IMPLEMENT_CLASS(TPicture)
void TPicture::DefineClass(TClassBuilder<TPicture>&) {}

TPicture::TPicture() {
  GetFileFormats();
}

TPicture::~TPicture() = default;

void TPicture::Adopt(std::unique_ptr<TGraphic> Graphic) {
  FGraphic = std::move(Graphic);
  if (FGraphic) {
    FGraphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
    FGraphic->OnProgress = [this](TObject* Sender, TProgressStage Stage, std::uint8_t Percent,
                                  bool RedrawNow, const TRect& R, const std::string& Msg) {
      CallEvent(OnProgress, Sender, Stage, Percent, RedrawNow, R, Msg);
    };
  }
  Changed(this);
}

void TPicture::Changed(TObject*) {
  CallEvent(OnChange, this);
}

void TPicture::SetGraphic(const TGraphic* Value) {
  std::unique_ptr<TGraphic> copy;
  if (Value != nullptr) {
    std::unique_ptr<TObject> created = Value->ClassType()->CreateObject();
    copy.reset(dynamic_cast<TGraphic*>(created.get()));
    if (!copy) throw EInvalidGraphic(LoadResString(SInvalidImage));
    created.release();
    copy->Assign(Value);
  }
  Adopt(std::move(copy));
}

template <class T>
T* TPicture::ForceType() {
  if (auto* graphic = dynamic_cast<T*>(FGraphic.get())) return graphic;
  auto created = std::make_unique<T>();
  T* result = created.get();
  // The change notification may destroy this picture: nothing of it is touched afterwards.
  Adopt(std::move(created));
  return result;
}

TBitmap* TPicture::Bitmap() {
  return ForceType<TBitmap>();
}
TIcon* TPicture::Icon() {
  return ForceType<TIcon>();
}
TMetafile* TPicture::Metafile() {
  return ForceType<TMetafile>();
}

int TPicture::Width() const {
  return FGraphic ? FGraphic->Width() : 0;
}
int TPicture::Height() const {
  return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::LoadFromFile(const std::string& FileName) {
  std::string extension = ExtractFileExt(FileName);
  if (!extension.empty()) extension.erase(0, 1);
  const TClass cls = GetFileFormats().FindExt(extension);
  if (cls == nullptr) throw EInvalidGraphic(Exception::ResMessage(SUnknownExtension, extension));
  std::unique_ptr<TObject> created = cls->CreateObject();
  std::unique_ptr<TGraphic> graphic(dynamic_cast<TGraphic*>(created.get()));
  if (!graphic) throw EInvalidGraphic(Exception::ResMessage(SUnknownExtension, extension));
  created.release();
  graphic->OnProgress = [this](TObject* Sender, TProgressStage Stage, std::uint8_t Percent,
                               bool RedrawNow, const TRect& R, const std::string& Msg) {
    CallEvent(OnProgress, Sender, Stage, Percent, RedrawNow, R, Msg);
  };
  // A failed load leaves the previous graphic in place; the new one goes with the exception.
  graphic->LoadFromFile(FileName);
  Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(const TPersistent* Source) {
  if (Source == nullptr) {
    SetGraphic(nullptr);
  } else if (const auto* picture = dynamic_cast<const TPicture*>(Source)) {
    SetGraphic(picture->Graphic());
  } else if (const auto* graphic = dynamic_cast<const TGraphic*>(Source)) {
    SetGraphic(graphic);
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::AssignTo(TPersistent* Dest) const {
  if (dynamic_cast<TGraphic*>(Dest) != nullptr) {
    Dest->Assign(FGraphic.get());
    return;
  }
  inherited::AssignTo(Dest);
}

void TPicture::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
      FGraphic != nullptr && !FGraphic->Empty());
}

void TPicture::ReadData(TStream& Stream) {
  std::uint8_t length = 0;
  Stream.ReadBuffer(&length, 1);
  std::string name(length, '\0');
  Stream.ReadBuffer(name.data(), length);
  TClass cls = GetFileFormats().FindClassName(name);
  if (cls == nullptr) cls = GetClass(name);
  if (cls == nullptr || !cls->InheritsFrom(TGraphic::StaticClass()) || !cls->CanCreateObject())
    throw EInvalidGraphic(Exception::ResMessage(SClassNotFound, name));
  std::unique_ptr<TObject> created = cls->CreateObject();
  std::unique_ptr<TGraphic> graphic(static_cast<TGraphic*>(created.release()));
  graphic->ReadData(Stream);
  Adopt(std::move(graphic));
}

void TPicture::WriteData(TStream& Stream) {
  const std::string& name = FGraphic->ClassName();
  const auto length = static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255));
  Stream.WriteBuffer(&length, 1);
  Stream.WriteBuffer(name.data(), length);
  FGraphic->WriteData(Stream);
}

}  // namespace fw

namespace fw {

void TPicture::RegisterFileFormat(std::string_view Extension, std::string_view Description,
                                  TClass GraphicClass) {
  GetFileFormats().Add(Extension, Description, GraphicClass);
}

void TPicture::UnregisterGraphicClass(TClass GraphicClass) {
  GetFileFormats().Remove(GraphicClass);
}

}  // namespace fw
