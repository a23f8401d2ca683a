#pragma once
#include <array>
#include <string>

#include "toolkit/color.h"
#include "toolkit/numeric.h"

namespace frost {

// The variables shared by the load step, the sequencer, the commands and every painter. Plain
// members, read and written directly; nothing locks them (single thread, yields in between).
struct CardState {
  static constexpr int kFlakeCount = 151;

  double TopStarX = 0;
  double TopStarY = 0;
  double ColorR = 0;
  double ColorG = 0;
  double ColorB = 0;
  double Intensity = 0;
  bool DoEventsOn = false;
  double LightBaseLevel = 0;
  double LightLevel = 0;
  double TierEdgeLevel = 0;
  double TierFillLevel = 0;
  double LastLightPattern = 0;
  bool CandlesDrawn = false;
  std::array<double, kFlakeCount> SnowX{};
  std::array<double, kFlakeCount> SnowY{};
  double FlakeRadius = 0;
  double SnowWidth = 0;
  double SnowHeight = 0;
  bool FireworksUseColor = false;

  // The start-up module's value: the folder of the running program file, no trailing separator.
  std::string ProgramFolder;

  // RGB(ColorR x Intensity, ColorG x Intensity, ColorB x Intensity), each product rounded half
  // to even; components above 255 count as 255.
  Color ShadedColor() const { return ShadedColorAt(Intensity); }
  Color ShadedColorAt(double intensity) const {
    return RGB(CInt(ColorR * intensity), CInt(ColorG * intensity), CInt(ColorB * intensity));
  }
};

}  // namespace frost
