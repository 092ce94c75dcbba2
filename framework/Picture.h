// Pictures: the holder of one graphic (bitmap, icon, metafile, JPEG image ...), with change and
// progress notifications, loading by file name through the process-wide list of registered file
// formats, and storage of the graphic inside form descriptions.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Events.h"
#include "framework/Graphic.h"
#include "framework/Object.h"
#include "framework/Persistent.h"

namespace fw {

class TBitmap;
class TIcon;
class TMetafile;

// The registered file formats, in registration order: extension (lower case, without the dot),
// description and graphic class.
class TFileFormatsList {
 public:
  struct TEntry {
    std::string Extension;
    std::string Description;
    TClass GraphicClass;
  };

  void Add(std::string_view Extension, std::string_view Description, TClass GraphicClass);
  // Removes every entry of the class.
  void Remove(TClass GraphicClass);
  // The class of the last entry registered for the extension (compared in lower case), or null.
  TClass FindExt(std::string_view Extension) const;
  // The registered graphic class of that name, or null.
  TClass FindClassName(std::string_view ClassName) const;
  const std::vector<TEntry>& Entries() const { return FEntries; }

 private:
  std::vector<TEntry> FEntries;
};

// The process-wide list, made on first use with the metafile, icon and bitmap formats.
TFileFormatsList& GetFileFormats();

// ASCII letters lower-cased, stepping by characters of the process code page (a trail byte in
// the range of capital letters stays as it is).
std::string LowerCaseText(std::string_view text);

class TPicture : public TPersistent {
  TOVU_CLASS(TPicture, TPersistent)

 public:
  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of `Value` (a new graphic of its class assigned from it); null empties.
  void SetGraphic(const TGraphic* Value);
  // The graphic as a bitmap; a graphic of another kind (or none) is first replaced by a new
  // empty bitmap.
  TBitmap* Bitmap();
  TIcon* Icon();
  TMetafile* Metafile();
  int Width() const;
  int Height() const;

  // Loads a file into a new graphic of the class registered for its extension. An unknown or
  // missing extension raises EInvalidGraphic; any failure keeps the previous graphic.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);

  void Assign(const TPersistent* Source) override;

  static void RegisterFileFormat(std::string_view Extension, std::string_view Description,
                                 TClass GraphicClass);
  static void UnregisterGraphicClass(TClass GraphicClass);

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

 protected:
  virtual void Changed(TObject* Sender);
  void DefineProperties(TFiler& Filer) override;
  void AssignTo(TPersistent* Dest) const override;

 private:
  template <class T>
  T* ForceType();
  void Adopt(std::unique_ptr<TGraphic> Graphic);
  void ReadData(TStream& Stream);
  void WriteData(TStream& Stream);

  std::unique_ptr<TGraphic> FGraphic;
};

}  // namespace fw
