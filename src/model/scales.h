#pragma once
// The numeric value scales: the physical value of each step of a control, its display text, and
// the step a typed text gives. Every function clamps the step it is given to the scale's range,
// so a damaged value never reads outside a table.
//
// Read gives the step for a typed text, or nothing when the text is not a number; Parse gives
// the current step instead of nothing.

#include <optional>
#include <string>
#include <string_view>

#include "model/number_text.h"

namespace korvan {

// Level, sum gains, EQ and dynamic EQ gain: (v - 150) / 10 dB, -15.0 .. +15.0.
struct GainScale {
  static constexpr int kSteps = 301;
  static double Value(int step);                                    // dB
  static std::string Format(int step, const NumberFormat& format);  // "-12.5 dB"
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);

  // The channel strips' gain box: the typed number is clamped to -15..+15 dB before it becomes
  // a step; the box then shows the clamped number, not the step's text.
  struct StripReading {
    int step = 0;
    double decibels = 0;
  };
  static std::optional<StripReading> ReadStrip(std::string_view text, const NumberFormat& format);
};

// Dynamics threshold: (v - 600) / 10 dB, -60.0 .. 0.0. Typed digits beyond the first decimal
// are dropped, not rounded.
struct DynThresholdScale {
  static constexpr int kSteps = 601;
  static double Value(int step);  // dB
  static std::string Format(int step, const NumberFormat& format);
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);
};

// Limiter threshold: (v - 240) / 10 dB, -24.0 .. 0.0, read like the dynamics threshold.
struct LimiterThresholdScale {
  static constexpr int kSteps = 241;
  static double Value(int step);  // dB
  static std::string Format(int step, const NumberFormat& format);
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);
};

// Frequencies of the EQ bands, the dynamic EQ and the crossover: the 321-entry float table,
// 20 Hz .. 20 kHz. Below step 180 shown in whole Hz, from 180 on in kHz with 3 digits.
struct FrequencyScale {
  static constexpr int kSteps = 321;
  static float Value(int step);                                     // Hz
  static std::string Format(int step, const NumberFormat& format);  // "979 Hz", "1.02 kHz"
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);
};

// EQ and dynamic EQ Q: 10^((v - 20) / 20), 0.1 .. 10, shown with 2 digits and no unit.
struct QScale {
  static constexpr int kSteps = 41;
  static double Value(int step);
  static std::string Format(int step, const NumberFormat& format);
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);
};

// Dynamics attack: 1 .. 200 ms from a fixed table, shown truncated to whole milliseconds.
struct AttackScale {
  static constexpr int kSteps = 110;
  static double Value(int step);                                    // ms
  static std::string Format(int step, const NumberFormat& format);  // "99 ms"
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);
};

// Dynamics and limiter release: 20 .. 4000 ms (whole milliseconds up to 85, then a geometric
// run ending at 4000), shown truncated to whole milliseconds.
struct ReleaseScale {
  static constexpr int kSteps = 252;
  static double Value(int step);  // ms
  static std::string Format(int step, const NumberFormat& format);
  static std::optional<int> Read(std::string_view text, const NumberFormat& format);
  static int Parse(std::string_view text, int current, const NumberFormat& format);
};

// Output phase: 5 v degrees, 0 .. 180; typed as a whole number of degrees.
struct PhaseScale {
  static constexpr int kSteps = 37;
  static int Value(int step);           // degrees
  static std::string Format(int step);  // "45 °"
  static std::optional<int> Read(std::string_view text);
  static int Parse(std::string_view text, int current);
};

// Air temperature: v - 20 °C, -20 .. +50, shown in °C (delay unit 0) or °F (delay unit 1,
// setup control 20); typed as a whole number in the shown unit.
struct TemperatureScale {
  static constexpr int kSteps = 71;
  static int Celsius(int step);
  static std::string Format(int step, int delayUnit);  // "20 °C", "68 °F"
  static std::optional<int> Read(std::string_view text, int delayUnit);
  static int Parse(std::string_view text, int current, int delayUnit);
};

}  // namespace korvan
