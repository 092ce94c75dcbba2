#include "controls/clear/ClearColors.h"

#include <algorithm>

namespace clear {

namespace {

struct TChannels {
  int Red, Green, Blue;
};

TChannels ChannelsOf(fw::TColor Color) {
  const win::COLORREF rgb = fw::ColorToRGB(Color);
  return {int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)};
}

fw::TColor ColorOf(const TChannels& c) {
  return fw::TColor(c.Red + c.Green * 256 + c.Blue * 65536);
}

template <class F>
fw::TColor EachChannel(fw::TColor Color, F change) {
  const TChannels c = ChannelsOf(Color);
  return ColorOf({change(c.Red), change(c.Green), change(c.Blue)});
}

}  // namespace

fw::TColor LightenColor(fw::TColor Color, int Amount) {
  return EachChannel(Color, [Amount](int channel) { return std::min(channel + Amount, 255); });
}

fw::TColor DarkenColor(fw::TColor Color, int Amount) {
  return EachChannel(Color, [Amount](int channel) { return std::max(channel - Amount, 0); });
}

fw::TColor DisabledGray(fw::TColor Color) {
  const TChannels c = ChannelsOf(Color);
  const int mean = std::clamp((c.Red + c.Green + c.Blue) / 3, 128, 192);
  return ColorOf({mean, mean, mean});
}

}  // namespace clear
