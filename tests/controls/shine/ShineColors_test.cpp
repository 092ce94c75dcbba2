// The shine button's colour set: notifications only on change and always after a copy, copies
// both ways, what a button's two sets stream, and colours as 32-bit pixels.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "tests/controls/shine/ShineTestSupport.h"

namespace shine::testing {
namespace {

TEST(ColorToPixel32, SwapsRedAndBlueOfTheResolvedColour) {
  EXPECT_EQ(ColorToPixel32(fw::clBlue), 0x000000FFu);
  EXPECT_EQ(ColorToPixel32(fw::clYellow), 0x00FFFF00u);
  EXPECT_EQ(ColorToPixel32(fw::TColor(0x00123456)), 0x00563412u);
  // The system's button face is 212, 208, 200.
  EXPECT_EQ(ColorToPixel32(fw::clBtnFace), 0x00D4D0C8u);
  // Without the high bit a value is never looked up; its top byte is dropped.
  EXPECT_EQ(ColorToPixel32(fw::clNone), 0x00FFFFFFu);
}

struct TSetter {
  const char* Name;
  std::function<void(TShineBtnColors&)> Change;
};

TEST(ShineBtnColors, EachSetterNotifiesOnceOnChangeAndNeverForAnEqualValue) {
  const std::vector<TSetter> setters{
      {"Color", [](TShineBtnColors& c) { c.SetColor(fw::clRed); }},
      {"Highlight", [](TShineBtnColors& c) { c.SetHighlight(fw::clRed); }},
      {"Shadow", [](TShineBtnColors& c) { c.SetShadow(fw::clRed); }},
      {"DarkShadow", [](TShineBtnColors& c) { c.SetDarkShadow(fw::clRed); }},
      {"GradColor", [](TShineBtnColors& c) { c.SetGradColor(fw::clRed); }},
      {"GradVertical", [](TShineBtnColors& c) { c.SetGradVertical(true); }},
      {"Gradation", [](TShineBtnColors& c) { c.SetGradation(true); }},
  };
  for (const TSetter& setter : setters) {
    TShineBtnColors colors;
    std::vector<fw::TObject*> senders;
    colors.OnChange = [&](fw::TObject* sender) { senders.push_back(sender); };
    setter.Change(colors);
    setter.Change(colors);
    EXPECT_EQ(senders, std::vector<fw::TObject*>{&colors}) << setter.Name;
  }
  TShineBtnColors colors;
  fw::TColor seen = fw::clNone;
  colors.OnChange = [&](fw::TObject*) { seen = colors.GradColor(); };
  colors.SetGradColor(fw::clRed);
  EXPECT_EQ(seen, fw::clRed) << "the value is stored before the handler runs";
}

TEST(ShineBtnColors, CopiesNotifyTheReceivingSetEvenWhenNothingChanged) {
  TShineBtnColors source, target;
  int notified = 0;
  target.OnChange = [&](fw::TObject*) { ++notified; };
  target.Assign(&source);
  EXPECT_EQ(notified, 1) << "equal values";

  source.SetColor(fw::clAqua);
  source.SetHighlight(fw::clYellow);
  source.SetShadow(fw::clNavy);
  source.SetDarkShadow(fw::clMaroon);
  source.SetGradColor(fw::clLime);
  source.SetGradVertical(true);
  source.SetGradation(true);
  // The framework's assignment asks the source to copy itself: the reverse assignment.
  target.fw::TPersistent::Assign(&source);
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(target.Color(), fw::clAqua);
  EXPECT_EQ(target.Highlight(), fw::clYellow);
  EXPECT_EQ(target.Shadow(), fw::clNavy);
  EXPECT_EQ(target.DarkShadow(), fw::clMaroon);
  EXPECT_EQ(target.GradColor(), fw::clLime);
  EXPECT_TRUE(target.GradVertical());
  EXPECT_TRUE(target.Gradation());

  fw::TFont font;
  EXPECT_THROW(target.Assign(&font), fw::EConvertError);
  EXPECT_THROW(target.Assign(nullptr), fw::EConvertError);
}

class ShineColorsStreaming : public TShineTest {};

TEST_F(ShineColorsStreaming, ANewButtonStoresOnlyEachSetsColourAndNestedValuesReadBack) {
  auto* button = Place(4, 4);
  button->SetName("Shine1");
  const std::string text = fw::ComponentToText(button);
  EXPECT_EQ(text.find("TTimer"), std::string::npos) << "the hover timer is the button's own\n"
                                                    << text;
  EXPECT_NE(text.find("Colors.Color = clBtnFace"), std::string::npos) << text;
  EXPECT_NE(text.find("PressedColors.Color = clBtnHighlight"), std::string::npos) << text;
  for (const char* name : {"Highlight", "Shadow", "GradColor", "GradVertical", "Gradation"})
    EXPECT_EQ(text.find(std::string("Colors.") + name), std::string::npos) << name << "\n" << text;

  auto* form = fw::TCustomForm::Create<fw::TForm>(FApplication.get());
  fw::ReadComponentFromText(form,
                            "object Form2: TForm\n"
                            "  object Shine2: TShineSpeedButton\n"
                            "    Colors.GradColor = clRed\n"
                            "    Colors.Gradation = True\n"
                            "    Colors.Color = clWhite\n"
                            "    PressedColors.DarkShadow = clGray\n"
                            "    PressedColors.Color = $00102030\n"
                            "    BiDiMode = bdRightToLeft\n"
                            "    Constraints.MaxWidth = 20\n"
                            "  end\n"
                            "end\n");
  auto* read = dynamic_cast<TShineSpeedButton*>(form->FindComponent("Shine2"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Colors()->GradColor(), fw::clRed);
  EXPECT_TRUE(read->Colors()->Gradation());
  EXPECT_EQ(read->Colors()->Color(), fw::clWhite);
  EXPECT_EQ(read->PressedColors()->DarkShadow(), fw::clGray);
  EXPECT_EQ(read->PressedColors()->Color(), fw::TColor(0x00102030));
  EXPECT_EQ(read->BiDiMode(), fw::bdRightToLeft);
  EXPECT_EQ(read->Width(), 20) << "the republished constraints hold the new button's 25";
}

}  // namespace
}  // namespace shine::testing
