#pragma once
// The delay conversions: long and short delay steps shown as time (with the speed of sound at
// the air temperature) or as distance, the phase text, and the reading of typed delays.
//
// The time step sizes depend on setup controls 10 (temperature correction) and 11 (temperature).
// They are computed from the values those controls hold when asked, so an edit, a received
// change, a loaded set or a recalled preset is followed at once; nothing is cached.

#include <optional>
#include <string>
#include <string_view>

#include "model/number_text.h"

namespace korvan {

class Model;

inline constexpr int kLongDelayMax = 4000;   // 5 cm of sound travel per step: 200 m
inline constexpr int kShortDelayMax = 2000;  // 2 mm per step: 4 m
inline constexpr int kPhaseMax = 36;         // 5 degrees per step

enum class DelayKind { Long, Short };

// How the delay pages show delays (`DelayDisplayUnit`): 0 time, 1 metric, 2 imperial.
enum class DelayDisplay : int { Time = 0, Metric = 1, Imperial = 2 };

// Time shows while the Options menu has "Delay in time" checked; with "Delay in distance" the
// delay unit (setup control 20: 0 metric, 1 imperial) chooses.
DelayDisplay DelayDisplayUnit(bool distanceChecked, int delayUnitStep);

// Milliseconds per long and per short delay step.
struct DelayTimeSteps {
  float longMs = 0;
  float shortMs = 0;
};

// With the correction on, c = 331.5 + 0.6 T m/s at T = temperature step - 20 °C; off, the
// sizes for 20 °C. The temperature step is clamped to 0..70.
DelayTimeSteps TimeStepSizes(bool correctionOn, int temperatureStep);
// From setup controls 10 and 11 as they are now. At start-up they hold correction off and 20 °C,
// which gives exactly the sizes the editor starts with (correction on at 20 °C).
DelayTimeSteps TimeStepSizes(const Model& model);

class DelayScales {
 public:
  DelayScales(DelayDisplay display, DelayTimeSteps time, NumberFormat format = {});
  // The delay display of the model's current setup values: the delay unit of control 20 when
  // distance is checked, and the time step sizes of controls 10 and 11.
  static DelayScales ForModel(const Model& model, bool distanceChecked, NumberFormat format = {});

  DelayDisplay Display() const { return display_; }
  float LongStep() const { return longStep_; }    // ms, m or ft per step
  float ShortStep() const { return shortStep_; }  // ms, mm or inch per step
  std::string_view LongUnit() const;              // "ms", "m" or "ft"
  std::string_view ShortUnit() const;             // "ms", "mm" or "inch"

  // "582.24 ms", "0.00 m", "656.20 ft" (the step is clamped to 0..4000).
  std::string FormatLongDelay(int steps) const;
  // "11.64 ms", "124 mm", "157.48 inch" (the step is clamped to 0..2000).
  std::string FormatShortDelay(int steps) const;
  // "45 °".
  static std::string FormatPhase(int steps);

  // A typed delay: cut at the unit, either decimal point; a long delay rounds to the nearest
  // step, a short delay truncates; clamped to the range. Nothing when not a number.
  std::optional<int> ReadDelay(std::string_view text, DelayKind kind) const;
  int ParseDelay(std::string_view text, DelayKind kind, int current) const {
    return ReadDelay(text, kind).value_or(current);
  }
  // A typed phase: cut at "°", a whole number of degrees, 5 per step, clamped to 0..36.
  static std::optional<int> ReadPhase(std::string_view text);

 private:
  DelayDisplay display_;
  float longStep_;
  float shortStep_;
  NumberFormat format_;
};

}  // namespace korvan
