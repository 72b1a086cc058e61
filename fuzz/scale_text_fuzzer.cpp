// Typed texts through every scale reader: no crash, and every step read lies in its scale.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/delay_scales.h"
#include "model/list_scales.h"
#include "model/scales.h"

namespace {

void Check(std::optional<int> step, int steps) {
  if (step && (*step < 0 || *step >= steps)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvan;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const NumberFormat f : {NumberFormat{'.'}, NumberFormat{','}}) {
    Check(GainScale::Read(text, f), GainScale::kSteps);
    if (const auto r = GainScale::ReadStrip(text, f)) {
      Check(r->step, GainScale::kSteps);
      if (!(r->decibels >= -15 && r->decibels <= 15)) std::abort();
      (void)FormatGeneral(r->decibels, 3, f);
    }
    Check(DynThresholdScale::Read(text, f), DynThresholdScale::kSteps);
    Check(LimiterThresholdScale::Read(text, f), LimiterThresholdScale::kSteps);
    Check(FrequencyScale::Read(text, f), FrequencyScale::kSteps);
    Check(QScale::Read(text, f), QScale::kSteps);
    Check(AttackScale::Read(text, f), AttackScale::kSteps);
    Check(ReleaseScale::Read(text, f), ReleaseScale::kSteps);
    if (const auto x = ParseNumber(text, f)) {
      (void)FormatGeneral(*x, 3, f);
      (void)FormatFixed(*x, 2, f);
    }
    for (DelayDisplay d : {DelayDisplay::Time, DelayDisplay::Metric, DelayDisplay::Imperial}) {
      const DelayScales s(d, TimeStepSizes(true, 0), f);
      Check(s.ReadDelay(text, DelayKind::Long), kLongDelayMax + 1);
      Check(s.ReadDelay(text, DelayKind::Short), kShortDelayMax + 1);
    }
  }
  Check(PhaseScale::Read(text), PhaseScale::kSteps);
  Check(TemperatureScale::Read(text, 0), TemperatureScale::kSteps);
  Check(TemperatureScale::Read(text, 1), TemperatureScale::kSteps);
  Check(LPTypeScale.Read(text), LPTypeScale.Steps());
  return 0;
}
