#include "framework/Object.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Persistent.h"
#include "framework/TypeInfo.h"
#include "framework/platform/CodePageConversion.h"

namespace fw {
namespace {

constexpr win::UINT WM_PING = 0x0400;
constexpr win::UINT WM_UNHANDLED = 0x0401;

// Base handles CM_FONTCHANGED and WM_PING; Middle has no table of its own; Leaf overrides
// CM_FONTCHANGED and extends it with the inherited handling.
class TBase : public TPersistent {
  TOVU_CLASS(TBase, TPersistent)

 public:
  std::vector<std::string> Log;
  void DefaultHandler(TMessage& Message) override {
    Log.push_back("default " + std::to_string(Message.Msg));
    Message.Result = -1;
  }

 protected:
  void CMFontChanged(TMessage& Message) {
    Log.push_back("base font");
    Message.Result += 10;
  }
  void WMPing(TMessage& Message) {
    Log.push_back("base ping");
    Message.Result = static_cast<win::LRESULT>(Message.WParam + Message.LParam);
  }
};

class TMiddle : public TBase {
  TOVU_CLASS(TMiddle, TBase)
};

class TLeaf : public TMiddle {
  TOVU_CLASS(TLeaf, TMiddle)

 protected:
  void CMFontChanged(TMessage& Message) {
    Log.push_back("leaf font before");
    DispatchFrom(inherited::StaticClass(), Message);
    Log.push_back("leaf font after");
    Message.Result += 1;
  }
  void CMTextChanged(TMessage& Message) {
    Log.push_back("leaf text");
    DispatchFrom(inherited::StaticClass(), Message);  // nobody above handles it
  }
};

TOVU_IMPLEMENT_CLASS(TBase)
void TBase::DefineClass(TClassBuilder<TBase>& b) {
  b.Message(CM_FONTCHANGED, &TBase::CMFontChanged);
  b.Message(WM_PING, &TBase::WMPing);
}
TOVU_IMPLEMENT_CLASS(TMiddle)
void TMiddle::DefineClass(TClassBuilder<TMiddle>&) {}
TOVU_IMPLEMENT_CLASS(TLeaf)
void TLeaf::DefineClass(TClassBuilder<TLeaf>& b) {
  b.Message(CM_FONTCHANGED, &TLeaf::CMFontChanged);
  b.Message(CM_TEXTCHANGED, &TLeaf::CMTextChanged);
}

TEST(Dispatch, FindsTheHandlerOfTheNearestClassAndFallsBackToTheDefaultHandler) {
  TLeaf leaf;
  EXPECT_EQ(leaf.Perform(WM_PING, 2, 3), 5);  // inherited through TMiddle, which has none
  EXPECT_EQ(leaf.Perform(WM_UNHANDLED, 0, 0), -1);
  EXPECT_EQ(leaf.Log, (std::vector<std::string>{"base ping", "default 1025"}));
}

TEST(Dispatch, HandlerRunsTheInheritedHandlingWhereItChooses) {
  TLeaf leaf;
  EXPECT_EQ(leaf.Perform(CM_FONTCHANGED, 0, 0), 11);
  EXPECT_EQ(leaf.Log,
            (std::vector<std::string>{"leaf font before", "base font", "leaf font after"}));
  TBase base;
  EXPECT_EQ(base.Perform(CM_FONTCHANGED, 0, 0), 10);
  EXPECT_EQ(base.Log, (std::vector<std::string>{"base font"}));
}

TEST(Dispatch, InheritedHandlingOfAMessageNoAncestorTakesReachesTheDefaultHandler) {
  TLeaf leaf;
  EXPECT_EQ(leaf.Perform(CM_TEXTCHANGED, 0, 0), -1);
  EXPECT_EQ(leaf.Log, (std::vector<std::string>{"leaf text", "default 45074"}));
}

TEST(Dispatch, ComponentMessageNumbersAreThoseTheControlsUse) {
  EXPECT_EQ(CM_DIALOGCHAR, 0xB006u);
  EXPECT_EQ(CM_ENABLEDCHANGED, 0xB00Cu);
  EXPECT_EQ(CM_FONTCHANGED, 0xB00Eu);
  EXPECT_EQ(CM_TEXTCHANGED, 0xB012u);
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_MOUSELEAVE, 0xB014u);
  EXPECT_EQ(CM_BUTTONPRESSED, 0xB018u);
  EXPECT_EQ(CM_SYSCOLORCHANGE, 0xB024u);
}

TEST(ClassInfo, KnowsNamesAndAncestry) {
  TLeaf leaf;
  EXPECT_EQ(leaf.ClassName(), "TLeaf");
  EXPECT_TRUE(leaf.InheritsFrom(TBase::StaticClass()));
  EXPECT_TRUE(leaf.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(TBase::StaticClass()->InheritsFrom(TLeaf::StaticClass()));
  EXPECT_EQ(TLeaf::StaticClass()->ClassParent(), TMiddle::StaticClass());
}

// Destroys its object out of the compiler's sight, so the test reads like real use.
void Discard(std::unique_ptr<TLeaf>& leaf) {
  leaf.reset();
}

TEST(WeakRef, BecomesNullWhenItsObjectIsDestroyed) {
  auto leaf = std::make_unique<TLeaf>();
  TWeakRef<TLeaf> ref(leaf.get());
  TWeakRef<TLeaf> copy = ref;
  EXPECT_TRUE(ref);
  EXPECT_EQ(ref->ClassName(), "TLeaf");
  Discard(leaf);
  EXPECT_FALSE(ref);
  EXPECT_FALSE(copy);
}

// Two persistent classes: TPoint2 knows how to copy itself into a TPoint3 (reverse assignment),
// TPoint3 knows how to take a TPoint3.
class TPoint2 : public TPersistent {
  TOVU_CLASS(TPoint2, TPersistent)

 public:
  int X = 0, Y = 0;

 protected:
  void AssignTo(TPersistent* Dest) const override;
};

class TPoint3 : public TPersistent {
  TOVU_CLASS(TPoint3, TPersistent)

 public:
  int X = 0, Y = 0, Z = 0;
  void Assign(const TPersistent* Source) override {
    if (const auto* p = dynamic_cast<const TPoint3*>(Source)) {
      X = p->X;
      Y = p->Y;
      Z = p->Z;
      return;
    }
    inherited::Assign(Source);
  }
};

void TPoint2::AssignTo(TPersistent* Dest) const {
  if (auto* p = dynamic_cast<TPoint3*>(Dest)) {
    p->X = X;
    p->Y = Y;
    p->Z = 0;
    return;
  }
  inherited::AssignTo(Dest);
}

TOVU_IMPLEMENT_CLASS(TPoint2)
void TPoint2::DefineClass(TClassBuilder<TPoint2>&) {}
TOVU_IMPLEMENT_CLASS(TPoint3)
void TPoint3::DefineClass(TClassBuilder<TPoint3>&) {}

TEST(Persistent, AssignTakesKnownSourcesAndAsksUnknownOnesToCopyThemselves) {
  TPoint3 a, b;
  b.X = 1;
  b.Y = 2;
  b.Z = 3;
  a.Assign(&b);
  EXPECT_EQ(a.Z, 3);
  TPoint2 flat;
  flat.X = 7;
  flat.Y = 8;
  a.Assign(&flat);  // reverse assignment
  EXPECT_EQ(a.X, 7);
  EXPECT_EQ(a.Y, 8);
  EXPECT_EQ(a.Z, 0);
}

TEST(Persistent, AssignWithoutAWayRaisesEConvertErrorNamingBothClasses) {
  TPoint2 flat;
  TPoint3 deep;
  try {
    flat.Assign(&deep);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), win::FromUtf8("TPoint3 を TPoint2 に代入できません"));
  }
  EXPECT_THROW(deep.Assign(nullptr), EConvertError);
}

TEST(Format, ReplacesDirectivesInOrderAndRejectsMismatches) {
  EXPECT_EQ(Format("%s x %d = %08X%%", "a", -12, 0xBEEF), "a x -12 = 0000BEEF%");
  EXPECT_EQ(Format("%x", -1), "ffffffff");
  EXPECT_EQ(Format("[%5s|%u]", "ab", 3), "[   ab|3]");
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s %s", "one"), EConvertError);
  EXPECT_EQ(EJPEG(41).Message(), win::FromUtf8("JPEG エラー #41"));
  EXPECT_EQ(EJPEG(41).ErrorCode(), 41);
}

}  // namespace
}  // namespace fw
