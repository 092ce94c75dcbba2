// Objects that can be copied into one another (assignment and reverse assignment) and whose
// published properties are stored in form descriptions.
#pragma once

#include <string>

#include "framework/Object.h"

namespace fw {

class TFiler;

class TPersistent : public TObject {
  TOVU_CLASS(TPersistent, TObject)

 public:
  // Copies `Source` into this object. The base asks the source to copy itself here (AssignTo);
  // without a way to do it, EConvertError names both classes.
  virtual void Assign(const TPersistent* Source);
  // Dotted path of the object for messages ("Form1.Button1.Font").
  virtual std::string GetNamePath() const;

 protected:
  // Reverse assignment: copies this object into `Dest`; the base fails with EConvertError.
  virtual void AssignTo(TPersistent* Dest) const;
  // Declares values that are stored beside the published properties (a picture's image data).
  virtual void DefineProperties(TFiler& Filer);
  // The object that owns this one for naming purposes (a control for its font).
  virtual TPersistent* GetOwner() const;
  [[noreturn]] void AssignError(const TPersistent* Source) const;

  friend class TReader;
  friend class TWriter;
};

}  // namespace fw
