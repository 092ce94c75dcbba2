// Reading a form description into a component tree: the root is an existing component (a form
// being constructed); the components inside are created by class name, named, parented and set
// up through their property setters while in the loading state, and Loaded runs for each once
// the whole tree is read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/Filer.h"
#include "framework/FormParser.h"

namespace fw {

struct TPropInfo;

class TReader : public TFiler {
 public:
  // Parses the whole text at once; malformed text raises EParserError naming the line.
  explicit TReader(std::string_view Text);

  // Reads the description into `Root`, whose class must be (or descend from) the described
  // class. Every error names its line; after an error the components this read created are
  // destroyed again and no component is left in the loading state.
  void ReadRootComponent(TComponent* Root);

  // Reads the properties and the children of the component being read (TComponent::ReadState).
  void ReadData(TComponent* Instance);

  TComponent* Root() const { return FRoot; }
  TComponent* Owner() const { return FOwner; }
  TComponent* Parent() const { return FParent; }

  // The value of the defined property being read, for its read procedure.
  std::int64_t ReadInteger();
  std::string ReadString();
  std::string ReadIdent();
  bool ReadBoolean();

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;

 private:
  struct TFixup {
    TWeakRef<TPersistent> Instance;
    const TPropInfo* Prop;
    std::string Name;
    int Line;
  };

  void ReadComponent(const TDescObject& Node);
  TClass FindComponentClass(const TDescObject& Node) const;
  void ApplyProperty(TComponent* Instance, const TDescProperty& Prop);
  void SetValue(TComponent* Instance, TPersistent* Object, const TPropInfo& Info,
                const TDescProperty& Prop);
  std::int64_t IntegerValue(const TPropInfo& Info, const TDescProperty& Prop) const;
  bool ReadDefinedProperty(TPersistent* Object, const std::string& Name, const TDescValue& Value);
  void ResolveFixups();
  void Abandon();
  const TDescValue& DefinedValue(TDescValueKind Kind) const;

  TDescObject FTree;
  const TDescObject* FCurrent = nullptr;
  TComponent* FRoot = nullptr;
  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  std::vector<TWeakRef<TComponent>> FLoaded;
  std::vector<TWeakRef<TComponent>> FCreated;
  std::vector<TFixup> FFixups;
  // The defined property being looked for, and its value.
  std::string FDefinedName;
  const TDescValue* FDefinedValue = nullptr;
  bool FDefinedFound = false;
};

// Reads `Text` into `Root` (see TReader::ReadRootComponent).
void ReadComponentFromText(TComponent* Root, std::string_view Text);

}  // namespace fw
