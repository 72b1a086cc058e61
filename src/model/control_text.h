#pragma once
// Which scale shows which control, and the display text of any control's value.

#include <string>

#include "model/delay_scales.h"
#include "model/number_text.h"

namespace korvan {

enum class ScaleKind {
  None,  // check boxes, select controls, band counts and controls without a window control
  Gain,
  Frequency,
  Q,
  Attack,
  Release,
  DynThreshold,
  LimiterThreshold,
  Ratio,
  Phase,
  Temperature,
  LongDelay,
  ShortDelay,
  Summer,
  ABSource,
  OpMode,
  InStereoLink,
  DelayUnit,
  Routing,
  BandName,
  HPType,
  LPType,
  EqKind,
  EqSlope,
};

ScaleKind ScaleOf(int modix, int mcix);

// What the texts of the temperature and the delays depend on besides the value.
struct TextContext {
  NumberFormat format;
  int delayUnit = 0;  // setup control 20: temperatures in °C (0) or °F (1)
  DelayScales delays{DelayDisplay::Time, TimeStepSizes(true, 40)};
};

// The text the editor shows for value of control (modix, mcix); "" when it has none.
std::string ControlValueText(int modix, int mcix, int value, const TextContext& context);

}  // namespace korvan
