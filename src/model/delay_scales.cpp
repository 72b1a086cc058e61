#include "model/delay_scales.h"

#include <cmath>

#include "model/control_ids.h"
#include "model/model.h"
#include "model/scales.h"

namespace korvan {
namespace {

// 20 °C, c = 343.5 m/s.
constexpr float kShortMsAt20 = 0.0058224164f;
constexpr float kLongMsAt20 = 0.14556041f;

int Clamp(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

DelayDisplay DelayDisplayUnit(bool distanceChecked, int delayUnitStep) {
  if (!distanceChecked) return DelayDisplay::Time;
  return delayUnitStep == 1 ? DelayDisplay::Imperial : DelayDisplay::Metric;
}

DelayTimeSteps TimeStepSizes(bool correctionOn, int temperatureStep) {
  if (!correctionOn) return {kLongMsAt20, kShortMsAt20};
  // Computed in double precision; the step sizes themselves are kept as floats.
  const double c = 331.5 + 0.6 * TemperatureScale::Celsius(temperatureStep);
  return {static_cast<float>((1000.0 / c) * 0.05), static_cast<float>((1.0 / c) * 2.0)};
}

DelayTimeSteps TimeStepSizes(const Model& model) {
  return TimeStepSizes(model.SetupValue(mc::TempCorrection) != 0,
                       model.SetupValue(mc::Temperature));
}

DelayScales::DelayScales(DelayDisplay display, DelayTimeSteps time, NumberFormat format)
    : display_(display), format_(format) {
  switch (display) {
    case DelayDisplay::Metric:
      longStep_ = 0.05f;
      shortStep_ = 2.0f;
      break;
    case DelayDisplay::Imperial:
      longStep_ = 0.16405f;
      shortStep_ = 0.07874f;
      break;
    default:
      display_ = DelayDisplay::Time;
      longStep_ = time.longMs;
      shortStep_ = time.shortMs;
      break;
  }
}

DelayScales DelayScales::ForModel(const Model& model, bool distanceChecked, NumberFormat format) {
  return DelayScales(DelayDisplayUnit(distanceChecked, model.SetupValue(mc::DelayUnit)),
                     TimeStepSizes(model), format);
}

std::string_view DelayScales::LongUnit() const {
  switch (display_) {
    case DelayDisplay::Metric:
      return "m";
    case DelayDisplay::Imperial:
      return "ft";
    default:
      return "ms";
  }
}

std::string_view DelayScales::ShortUnit() const {
  switch (display_) {
    case DelayDisplay::Metric:
      return "mm";
    case DelayDisplay::Imperial:
      return "inch";
    default:
      return "ms";
  }
}

std::string DelayScales::FormatLongDelay(int steps) const {
  const double x = Clamp(steps, 0, kLongDelayMax) * static_cast<double>(longStep_);
  return FormatFixed(x, 2, format_) + " " + std::string(LongUnit());
}

std::string DelayScales::FormatShortDelay(int steps) const {
  const double x = Clamp(steps, 0, kShortDelayMax) * static_cast<double>(shortStep_);
  const int decimals = display_ == DelayDisplay::Metric ? 0 : 2;
  return FormatFixed(x, decimals, format_) + " " + std::string(ShortUnit());
}

std::string DelayScales::FormatPhase(int steps) {
  return PhaseScale::Format(steps);
}

std::optional<int> DelayScales::ReadDelay(std::string_view text, DelayKind kind) const {
  const bool isLong = kind == DelayKind::Long;
  const std::optional<double> x =
      ParseNumber(CutAtUnit(text, isLong ? LongUnit() : ShortUnit()), format_);
  if (!x) return std::nullopt;
  if (isLong) return TruncClamped(*x / longStep_ + 0.5, 0, kLongDelayMax);
  return TruncClamped(*x / shortStep_, 0, kShortDelayMax);
}

std::optional<int> DelayScales::ReadPhase(std::string_view text) {
  return PhaseScale::Read(text);
}

}  // namespace korvan
