#include "framework/Writer.h"

#include <optional>

#include "framework/Exceptions.h"
#include "framework/FormParser.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"

namespace fw {
namespace {

std::string Hex(std::uint64_t value, int digits) {
  static const char* const kDigits = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(out.size()) < digits)
    out.insert(0, static_cast<std::size_t>(digits) - out.size(), '0');
  return out;
}

std::string IntegerText(const TPropInfo& info, std::int64_t value) {
  if (info.Idents != nullptr) {
    if (const auto name = info.Idents->ToName(value)) return std::string(*name);
    if (info.Idents->HexDigits() > 0) {
      const std::uint64_t bits = (value < 0 && value >= INT32_MIN)
                                     ? static_cast<std::uint32_t>(value)
                                     : static_cast<std::uint64_t>(value);
      // Appended rather than "$" + Hex(...), about which GCC 12 at -O3 warns falsely.
      std::string text = "$";
      text += Hex(bits, info.Idents->HexDigits());
      return text;
    }
  }
  return std::to_string(value);
}

std::string SetText(const TPropInfo& info, std::int64_t bits) {
  std::string out = "[";
  for (int i = 0; i < info.EnumType->Count(); ++i) {
    if ((static_cast<std::uint64_t>(bits) >> i & 1u) == 0) continue;
    if (out.size() > 1) out += ", ";
    out += info.EnumType->Name(i);
  }
  return out + "]";
}

}  // namespace

std::string QuotedString(const std::string& Text) {
  std::string utf8 = Text;
  if (win::GetACP() != win::CP_UTF8) {
    std::optional<std::string> converted = win::ConvertCodePage(Text, win::GetACP(), win::CP_UTF8);
    if (!converted) throw EWriteError(LoadResString(SNotInCodePage));
    utf8 = std::move(*converted);
  }
  std::string out;
  bool quoted = false;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(byte);
      continue;
    }
    if (!quoted) out += '\'';
    quoted = true;
    out += c;
    if (c == '\'') out += '\'';
  }
  if (quoted) out += '\'';
  return out.empty() ? "''" : out;
}

std::string TWriter::WriteRootComponent(TComponent* Root) {
  FOut.clear();
  FRoot = Root;
  WriteComponent(Root, 0);
  return std::move(FOut);
}

void TWriter::WriteComponent(TComponent* Component, int Depth) {
  const std::string indent(static_cast<std::size_t>(Depth) * 2, ' ');
  const bool wasWriting = Component->FComponentState.Contains(csWriting);
  Component->FComponentState.Include(csWriting);
  FOut += indent + "object ";
  FOut += Component->Name().empty() ? Component->ClassName()
                                    : Component->Name() + ": " + Component->ClassName();
  FOut += '\n';
  FDepth = Depth + 1;
  WriteProperties(Component, Component, "", 0);
  Component->GetChildren([&](TComponent* child) { WriteComponent(child, Depth + 1); }, FRoot);
  FOut += indent + "end\n";
  if (!wasWriting) Component->FComponentState.Exclude(csWriting);
}

void TWriter::WriteProperties(TComponent* Instance, TPersistent* Object, const std::string& Prefix,
                              int Level) {
  if (Level >= MaxPathParts) return;  // a sub-object that leads back to itself stops here
  for (const TPropInfo* info : Object->ClassType()->Properties())
    WriteProperty(Instance, Object, *info, Prefix, Level);
  const std::string savedPrefix = FPrefix;
  FPrefix = Prefix;
  Object->DefineProperties(*this);
  FPrefix = savedPrefix;
}

void TWriter::WriteProperty(TComponent* Instance, TPersistent* Object, const TPropInfo& Info,
                            const std::string& Prefix, int Level) {
  const std::string name = Prefix + Info.Name;
  if (Info.StoredFn && !Info.StoredFn(*Object)) return;
  if (Info.Kind == tkClass) {
    if (TPersistent* sub = Info.GetObject(*Object))
      WriteProperties(Instance, sub, name + ".", Level + 1);
    return;
  }
  if (Info.IsReadOnly() || !Info.IsStored(*Object)) return;
  switch (Info.Kind) {
    case tkInteger:
      WriteLine(name, IntegerText(Info, Info.GetOrd(*Object)));
      return;
    case tkEnumeration:
      WriteLine(name, Info.EnumType->Name(static_cast<int>(Info.GetOrd(*Object))));
      return;
    case tkSet:
      WriteLine(name, SetText(Info, Info.GetOrd(*Object)));
      return;
    case tkString:
      WriteLine(name, QuotedString(Info.GetStr(*Object)));
      return;
    case tkComponent: {
      auto* target = dynamic_cast<TComponent*>(Info.GetObject(*Object));
      if (target == nullptr || target->Name().empty()) return;
      if (target == FRoot || target->Owner() == FRoot) WriteLine(name, target->Name());
      return;
    }
    case tkMethod: {
      const std::string method = Instance->EventHandlerName(name);
      if (!method.empty()) WriteLine(name, method);
      return;
    }
    case tkClass:
      return;
  }
}

void TWriter::WriteLine(const std::string& Name, const std::string& Value) {
  FOut += std::string(static_cast<std::size_t>(FDepth) * 2, ' ');
  FOut += Name;
  FOut += " = ";
  FOut += Value;
  FOut += '\n';
}

void TWriter::WriteInteger(std::int64_t Value) {
  FValue = std::to_string(Value);
}

void TWriter::WriteString(const std::string& Value) {
  FValue = QuotedString(Value);
}

void TWriter::WriteIdent(const std::string& Value) {
  FValue = Value;
}

void TWriter::WriteBoolean(bool Value) {
  FValue = Value ? "True" : "False";
}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&,
                             const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  FValue.clear();
  WriteData(*this);
  if (!FValue.empty()) WriteLine(FPrefix + Name, FValue);
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc&,
                                   const TStreamProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream stream;
  WriteData(stream);
  const std::string indent(static_cast<std::size_t>(FDepth + 1) * 2, ' ');
  std::string value = "{";
  const std::uint8_t* bytes = stream.Memory();
  for (std::int64_t i = 0; i < stream.Size(); ++i) {
    if (i % 32 == 0) value += "\n" + indent;
    value += Hex(bytes[i], 2);
  }
  value += "}";
  WriteLine(FPrefix + Name, value);
}

std::string ComponentToText(TComponent* Root) {
  TWriter writer;
  return writer.WriteRootComponent(Root);
}

}  // namespace fw
