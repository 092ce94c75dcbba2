#include "framework/Color.h"

#include "framework/StrFormat.h"
#include "framework/platform/SysColors.h"

namespace fw {

win::COLORREF ColorToRGB(TColor color) {
  if (color < 0) return win::GetSysColor(color & 0xFF);
  return static_cast<win::COLORREF>(color);
}

const TIdentMap& ColorIdents() {
  static const TIdentMap map("TColor",
                             {
                                 {clBlack, "clBlack"},
                                 {clMaroon, "clMaroon"},
                                 {clGreen, "clGreen"},
                                 {clOlive, "clOlive"},
                                 {clNavy, "clNavy"},
                                 {clPurple, "clPurple"},
                                 {clTeal, "clTeal"},
                                 {clGray, "clGray"},
                                 {clSilver, "clSilver"},
                                 {clRed, "clRed"},
                                 {clLime, "clLime"},
                                 {clYellow, "clYellow"},
                                 {clBlue, "clBlue"},
                                 {clFuchsia, "clFuchsia"},
                                 {clAqua, "clAqua"},
                                 {clWhite, "clWhite"},
                                 {clMoneyGreen, "clMoneyGreen"},
                                 {clSkyBlue, "clSkyBlue"},
                                 {clCream, "clCream"},
                                 {clMedGray, "clMedGray"},
                                 {clActiveBorder, "clActiveBorder"},
                                 {clActiveCaption, "clActiveCaption"},
                                 {clAppWorkSpace, "clAppWorkSpace"},
                                 {clBackground, "clBackground"},
                                 {clBtnFace, "clBtnFace"},
                                 {clBtnHighlight, "clBtnHighlight"},
                                 {clBtnShadow, "clBtnShadow"},
                                 {clBtnText, "clBtnText"},
                                 {clCaptionText, "clCaptionText"},
                                 {clDefault, "clDefault"},
                                 {clGradientActiveCaption, "clGradientActiveCaption"},
                                 {clGradientInactiveCaption, "clGradientInactiveCaption"},
                                 {clGrayText, "clGrayText"},
                                 {clHighlight, "clHighlight"},
                                 {clHighlightText, "clHighlightText"},
                                 {clHotLight, "clHotLight"},
                                 {clInactiveBorder, "clInactiveBorder"},
                                 {clInactiveCaption, "clInactiveCaption"},
                                 {clInactiveCaptionText, "clInactiveCaptionText"},
                                 {clInfoBk, "clInfoBk"},
                                 {clInfoText, "clInfoText"},
                                 {clMenu, "clMenu"},
                                 {clMenuBar, "clMenuBar"},
                                 {clMenuHighlight, "clMenuHighlight"},
                                 {clMenuText, "clMenuText"},
                                 {clNone, "clNone"},
                                 {clScrollBar, "clScrollBar"},
                                 {cl3DDkShadow, "cl3DDkShadow"},
                                 {cl3DLight, "cl3DLight"},
                                 {clWindow, "clWindow"},
                                 {clWindowFrame, "clWindowFrame"},
                                 {clWindowText, "clWindowText"},
                                 // Other names of the same values: read, never written.
                                 {clLtGray, "clLtGray"},
                                 {clDkGray, "clDkGray"},
                             },
                             8);
  return map;
}

std::optional<std::string_view> ColorToIdent(TColor color) {
  return ColorIdents().ToName(color);
}

std::optional<TColor> IdentToColor(std::string_view name) {
  const auto value = ColorIdents().ToValue(name);
  if (!value) return std::nullopt;
  return static_cast<TColor>(*value);
}

std::string ColorToString(TColor color) {
  if (const auto name = ColorToIdent(color)) return std::string(*name);
  return Format("$%08X", color);
}

}  // namespace fw
