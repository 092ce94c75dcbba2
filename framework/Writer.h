// Writing a component tree as a form description: one object block per component in storing
// order, its published properties in publishing order, values equal to their declared default
// left out, sub-objects as dotted properties, defined properties after the published ones.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "framework/Filer.h"

namespace fw {

struct TPropInfo;

class TWriter : public TFiler {
 public:
  // The description of `Root` and of the components stored inside it.
  std::string WriteRootComponent(TComponent* Root);

  // The value of the defined property being written, for its write procedure.
  void WriteInteger(std::int64_t Value);
  void WriteString(const std::string& Value);
  void WriteIdent(const std::string& Value);
  void WriteBoolean(bool Value);

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;

 private:
  void WriteComponent(TComponent* Component, int Depth);
  void WriteProperties(TComponent* Instance, TPersistent* Object, const std::string& Prefix,
                       int Level);
  void WriteProperty(TComponent* Instance, TPersistent* Object, const TPropInfo& Info,
                     const std::string& Prefix, int Level);
  void WriteLine(const std::string& Name, const std::string& Value);

  std::string FOut;
  TComponent* FRoot = nullptr;
  int FDepth = 0;
  std::string FPrefix;
  std::string FValue;
};

// The form description of `Root` (see TWriter::WriteRootComponent).
std::string ComponentToText(TComponent* Root);

// A string as a form-description literal: quoted, '' for a quote, control characters as #n.
std::string QuotedString(const std::string& Text);

}  // namespace fw
