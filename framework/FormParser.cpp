#include "framework/FormParser.h"

#include <optional>

#include "framework/EnumInfo.h"
#include "framework/Exceptions.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"

namespace fw {

std::string TDescProperty::PathText() const {
  std::string text;
  for (const std::string& part : Path) {
    if (!text.empty()) text += '.';
    text += part;
  }
  return text;
}

namespace {

enum TTokenType : std::uint8_t { ttEnd, ttIdent, ttInteger, ttString, ttSymbol };

struct TToken {
  TTokenType Type = ttEnd;
  int Line = 1;
  std::string Text;  // identifier or string (UTF-8)
  std::uint64_t Magnitude = 0;
  bool Hex = false;
  char Symbol = 0;
};

[[noreturn]] void Fail(const std::string& reason, int line) {
  throw EParserError(reason, line);
}

template <class... Args>
[[noreturn]] void FailRes(int line, const TResString& entry, const Args&... args) {
  Fail(Exception::ResMessage(entry, args...), line);
}

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Splits the text into tokens, counting lines; one token of look-ahead.
class TLexer {
 public:
  explicit TLexer(std::string_view text) : FText(text) {}

  const TToken& Peek() {
    if (!FPeeked) {
      FNext = Scan();
      FPeeked = true;
    }
    return FNext;
  }
  TToken Next() {
    Peek();
    FPeeked = false;
    return std::move(FNext);
  }
  bool PeekSymbol(char symbol) {
    const TToken& t = Peek();
    return t.Type == ttSymbol && t.Symbol == symbol;
  }
  int Line() const { return FLine; }

  // Reads hexadecimal digit pairs up to '}' (the '{' was the last token).
  std::vector<std::uint8_t> ReadBinary(int startLine) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    while (true) {
      if (FPos >= FText.size()) FailRes(FLine, SUnexpectedEnd);
      const char c = FText[FPos++];
      if (c == '}') break;
      if (c == '\n') ++FLine;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int v = HexValue(c);
      if (v < 0) FailRes(FLine, SInvalidBinary);
      if (high < 0) {
        high = v;
      } else {
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + v));
        high = -1;
      }
    }
    if (high >= 0) FailRes(startLine, SInvalidBinary);
    return bytes;
  }

 private:
  void SkipBlanks() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\n') {
        ++FLine;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        return;
      }
      ++FPos;
    }
  }

  TToken Scan() {
    SkipBlanks();
    TToken t;
    t.Line = FLine;
    if (FPos >= FText.size()) return t;
    const char c = FText[FPos];
    if (IsIdentStart(c)) {
      const std::size_t start = FPos;
      while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos])))
        ++FPos;
      t.Type = ttIdent;
      t.Text = std::string(FText.substr(start, FPos - start));
      return t;
    }
    if (IsDigit(c) || c == '$') {
      t.Type = ttInteger;
      ScanNumber(t);
      return t;
    }
    if (c == '\'' || c == '#') {
      t.Type = ttString;
      ScanString(t);
      return t;
    }
    if (std::string_view("=:.,[]{}()+-").find(c) != std::string_view::npos) {
      ++FPos;
      t.Type = ttSymbol;
      t.Symbol = c;
      return t;
    }
    FailRes(FLine, SInvalidCharacter, static_cast<int>(static_cast<unsigned char>(c)));
  }

  // A decimal or $hexadecimal number; the magnitude must fit 63 bits (2^63 for a negative).
  std::uint64_t ScanMagnitude(bool& hex) {
    const std::size_t start = FPos;
    hex = FText[FPos] == '$';
    if (hex) ++FPos;
    const std::uint64_t base = hex ? 16 : 10;
    const std::uint64_t limit = std::uint64_t{1} << 63;
    std::uint64_t value = 0;
    bool any = false;
    bool overflow = false;
    while (FPos < FText.size()) {
      const int d = hex ? HexValue(FText[FPos]) : (IsDigit(FText[FPos]) ? FText[FPos] - '0' : -1);
      if (d < 0) break;
      any = true;
      if (value > (limit - static_cast<std::uint64_t>(d)) / base) overflow = true;
      if (!overflow) value = value * base + static_cast<std::uint64_t>(d);
      ++FPos;
    }
    // Letters glued to the digits (12abc) are no number either.
    const bool glued = FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos]));
    if (!any || overflow || glued) {
      while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos])))
        ++FPos;
      std::string shown(FText.substr(start, std::min<std::size_t>(FPos - start, 40)));
      FailRes(FLine, SInvalidNumber, shown);
    }
    return value;
  }

  void ScanNumber(TToken& t) { t.Magnitude = ScanMagnitude(t.Hex); }

  // Quoted pieces and #code pieces written together form one string.
  void ScanString(TToken& t) {
    std::string out;
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\'') {
        ++FPos;
        while (true) {
          if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
            FailRes(t.Line, SUnterminatedString);
          const char q = FText[FPos++];
          if (q != '\'') {
            out += q;
          } else if (FPos < FText.size() && FText[FPos] == '\'') {
            out += '\'';
            ++FPos;
          } else {
            break;
          }
        }
      } else if (c == '#') {
        ++FPos;
        if (FPos >= FText.size() || !(IsDigit(FText[FPos]) || FText[FPos] == '$'))
          FailRes(FLine, SExpected, "#");
        bool hex = false;
        const std::uint64_t code = ScanMagnitude(hex);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
          FailRes(FLine, SInvalidNumber, std::to_string(code));
        AppendUtf8(out, static_cast<std::uint32_t>(code));
      } else {
        break;
      }
    }
    if (!IsValidUtf8(out)) FailRes(t.Line, SInvalidUtf8);
    t.Text = std::move(out);
  }

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
  bool FPeeked = false;
  TToken FNext;
};

class TParser {
 public:
  explicit TParser(std::string_view text) : FLexer(text) {}

  TDescObject ParseRoot() {
    const TToken first = FLexer.Next();
    if (first.Type != ttIdent || !SameIdent(first.Text, "object"))
      FailRes(first.Line, SExpected, "object");
    TDescObject root = ParseObject(first.Line, 1);
    const TToken rest = FLexer.Next();
    if (rest.Type != ttEnd) FailRes(rest.Line, STrailingText);
    return root;
  }

 private:
  std::string ExpectIdent() {
    TToken t = FLexer.Next();
    if (t.Type != ttIdent) FailRes(t.Line, SExpected, "識別子");
    return std::move(t.Text);
  }

  int ExpectSymbol(char symbol) {
    const TToken t = FLexer.Next();
    if (t.Type != ttSymbol || t.Symbol != symbol)
      FailRes(t.Line, SExpected, std::string(1, symbol));
    return t.Line;
  }

  TDescObject ParseObject(int line, int depth) {
    if (depth > MaxObjectDepth) FailRes(line, STooDeep);
    TDescObject obj;
    obj.Line = line;
    std::string first = ExpectIdent();
    if (FLexer.PeekSymbol(':')) {
      FLexer.Next();
      obj.Name = std::move(first);
      obj.ClassName = ExpectIdent();
    } else {
      obj.ClassName = std::move(first);
    }
    while (true) {
      TToken t = FLexer.Next();
      if (t.Type == ttEnd) FailRes(t.Line, SUnexpectedEnd);
      if (t.Type != ttIdent) FailRes(t.Line, SExpected, "プロパティ名");
      const bool startsProperty = FLexer.PeekSymbol('=') || FLexer.PeekSymbol('.');
      if (!startsProperty && SameIdent(t.Text, "end")) return obj;
      if (!startsProperty && SameIdent(t.Text, "object")) {
        obj.Children.push_back(ParseObject(t.Line, depth + 1));
        continue;
      }
      obj.Properties.push_back(ParseProperty(std::move(t)));
    }
  }

  TDescProperty ParseProperty(TToken name) {
    TDescProperty prop;
    prop.Line = name.Line;
    prop.Path.push_back(std::move(name.Text));
    while (FLexer.PeekSymbol('.')) {
      FLexer.Next();
      if (static_cast<int>(prop.Path.size()) >= MaxPathParts) FailRes(prop.Line, STooDeep);
      prop.Path.push_back(ExpectIdent());
    }
    const int equalsLine = ExpectSymbol('=');
    prop.Value = ParseValue(equalsLine);
    return prop;
  }

  // A value starts on the line of its '='; it may continue on later lines.
  TDescValue ParseValue(int equalsLine) {
    TToken t = FLexer.Next();
    if (t.Line != equalsLine) FailRes(equalsLine, SExpected, "値");
    TDescValue v;
    v.Line = t.Line;
    if (t.Type == ttInteger) {
      v.Kind = dvInteger;
      v.Hex = t.Hex;
      v.Integer = Signed(t, false);
      return v;
    }
    if (t.Type == ttSymbol && (t.Symbol == '-' || t.Symbol == '+')) {
      TToken n = FLexer.Next();
      if (n.Type != ttInteger) FailRes(n.Line, SExpected, "数値");
      v.Kind = dvInteger;
      v.Hex = n.Hex;
      v.Integer = Signed(n, t.Symbol == '-');
      return v;
    }
    if (t.Type == ttString) {
      v.Kind = dvString;
      v.Text = std::move(t.Text);
      while (FLexer.PeekSymbol('+')) {
        FLexer.Next();
        TToken more = FLexer.Next();
        if (more.Type != ttString) FailRes(more.Line, SExpected, "文字列");
        v.Text += more.Text;
      }
      v.Text = ToProcessCodePage(v.Text, v.Line);
      return v;
    }
    if (t.Type == ttIdent) {
      v.Kind = dvIdent;
      v.Text = std::move(t.Text);
      int parts = 1;
      while (FLexer.PeekSymbol('.')) {
        FLexer.Next();
        if (++parts > MaxPathParts) FailRes(v.Line, STooDeep);
        v.Text += '.';
        v.Text += ExpectIdent();
      }
      return v;
    }
    if (t.Type == ttSymbol && t.Symbol == '[') {
      v.Kind = dvSet;
      if (FLexer.PeekSymbol(']')) {
        FLexer.Next();
        return v;
      }
      while (true) {
        if (static_cast<int>(v.Elements.size()) >= MaxSetElements) FailRes(v.Line, STooDeep);
        v.Elements.push_back(ExpectIdent());
        const TToken sep = FLexer.Next();
        if (sep.Type == ttSymbol && sep.Symbol == ']') break;
        if (sep.Type != ttSymbol || sep.Symbol != ',') FailRes(sep.Line, SExpected, "]");
      }
      return v;
    }
    if (t.Type == ttSymbol && t.Symbol == '{') {
      v.Kind = dvBinary;
      v.Bytes = FLexer.ReadBinary(t.Line);
      return v;
    }
    if (t.Type == ttEnd) FailRes(t.Line, SUnexpectedEnd);
    FailRes(t.Line, SExpected, "値");
  }

  static std::int64_t Signed(const TToken& t, bool negative) {
    constexpr std::uint64_t limit = std::uint64_t{1} << 63;
    if (negative) {
      if (t.Magnitude > limit) FailRes(t.Line, SInvalidNumber, "-" + std::to_string(t.Magnitude));
      return t.Magnitude == limit ? INT64_MIN : -static_cast<std::int64_t>(t.Magnitude);
    }
    if (t.Magnitude >= limit) FailRes(t.Line, SInvalidNumber, std::to_string(t.Magnitude));
    return static_cast<std::int64_t>(t.Magnitude);
  }

  static std::string ToProcessCodePage(const std::string& utf8, int line) {
    if (win::GetACP() == win::CP_UTF8) return utf8;
    std::optional<std::string> converted = win::ConvertCodePage(utf8, win::CP_UTF8, win::GetACP());
    if (!converted) FailRes(line, SNotInCodePage);
    return std::move(*converted);
  }

  TLexer FLexer;
};

}  // namespace

TDescObject ParseFormDescription(std::string_view text) {
  TParser parser(text);
  return parser.ParseRoot();
}

}  // namespace fw
