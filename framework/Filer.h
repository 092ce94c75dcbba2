// The common face of the form-description reader and writer towards persistent objects: values
// an object stores beside its published properties (DefineProperties), as plain values or as
// binary data.
#pragma once

#include <functional>
#include <string>

#include "framework/Object.h"

namespace fw {

class TReader;
class TWriter;
class TStream;

class TFiler : public TObject {
 public:
  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

  // A value named `Name` read by `ReadData` and written by `WriteData` (only when `HasData`).
  virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                              const TWriterProc& WriteData, bool HasData) = 0;
  // Binary data named `Name`, read from and written to a stream.
  virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;
};

}  // namespace fw
