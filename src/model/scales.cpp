#include "model/scales.h"

#include <array>
#include <cmath>
#include <span>

#include "model/frequency_table.h"

namespace korvan {
namespace {

constexpr std::string_view kDb = "dB";
constexpr std::string_view kMs = "ms";
constexpr std::string_view kHz = "Hz";
constexpr std::string_view kKHz = "kHz";
constexpr std::string_view kDegree = "°";
constexpr std::string_view kCelsius = "°C";
constexpr std::string_view kFahrenheit = "°F";

int ClampStep(int step, int steps) {
  return step < 0 ? 0 : (step >= steps ? steps - 1 : step);
}

double TenthsOfDb(int step, int offset, int steps) {
  return (ClampStep(step, steps) - offset) / 10.0;
}

std::string FormatDb(double db, const NumberFormat& format) {
  return FormatGeneral(db, 3, format) + " dB";
}

// Thresholds: tenths of a dB truncated toward zero, then the offset.
std::optional<int> ReadThreshold(std::string_view text, const NumberFormat& format, int offset,
                                 int steps) {
  const std::optional<double> x = ParseNumber(CutAtUnit(text, kDb), format);
  if (!x) return std::nullopt;
  // Truncate before adding the offset: -0.75 dB is -7 tenths, not -7.5 + offset truncated.
  const double tenths = std::trunc(std::fmax(std::fmin(*x * 10, 1e6), -1e6));
  return TruncClamped(tenths + offset, 0, steps - 1);
}

// The attack and release tables in milliseconds.
constexpr std::array<double, AttackScale::kSteps> kAttack = [] {
  std::array<double, AttackScale::kSteps> t{};
  for (int v = 0; v < 72; ++v) t[v] = v + 1;
  constexpr double tail[] = {74.3537,  76.3786,  78.4578,  80.5930,  82.7855,  85.0369,  87.3488,
                             89.7228,  92.1607,  94.6640,  97.2346,  99.8743,  102.5849, 105.3684,
                             108.2266, 111.1617, 114.1756, 117.2705, 120.4486, 123.7121, 127.0632,
                             130.5044, 134.0381, 137.6667, 141.3929, 145.2192, 149.1483, 153.1829,
                             157.3260, 161.5804, 165.9491, 170.4353, 175.0419, 179.7724, 184.6300,
                             189.6181, 194.7402, 200.0};
  static_assert(std::size(tail) == AttackScale::kSteps - 72);
  for (size_t i = 0; i < std::size(tail); ++i) t[72 + i] = tail[i];
  return t;
}();

const std::array<double, ReleaseScale::kSteps>& ReleaseTable() {
  static const std::array<double, ReleaseScale::kSteps> table = [] {
    std::array<double, ReleaseScale::kSteps> t{};
    for (int v = 0; v < 66; ++v) t[v] = v + 20;
    // The run's ratio is 200^(1/255) = 1.020995…; rounding it to 1.020995 would put
    // entry 66 at 85.6429 instead of 85.6417.
    const double ratio = std::pow(200.0, 1.0 / 255);
    for (int v = 66; v < ReleaseScale::kSteps; ++v)
      t[v] = 4000.0 * std::pow(ratio, v - (ReleaseScale::kSteps - 1));
    return t;
  }();
  return table;
}

std::string FormatWholeMs(double ms, const NumberFormat& format) {
  return FormatFixed(std::trunc(ms), 0, format) + " ms";
}

// Whole-millisecond rule: between the neighbours lo <= x < hi, hi wins unless its distance,
// truncated to whole milliseconds, is larger than lo's. So a shown (truncated) value typed back
// gives a step with the same text.
int NearestWholeMs(std::span<const double> table, double x) {
  const int last = static_cast<int>(table.size()) - 1;
  if (!(x > table[0])) return 0;
  if (x >= table[last]) return last;
  int hi = 1;
  while (!(table[hi] > x)) ++hi;
  const int lo = hi - 1;
  return std::trunc(table[hi] - x) > std::trunc(x - table[lo]) ? lo : hi;
}

std::optional<int> ReadWholeMs(std::span<const double> table, std::string_view text,
                               const NumberFormat& format) {
  const std::optional<double> x = ParseNumber(CutAtUnit(text, kMs), format);
  if (!x) return std::nullopt;
  return NearestWholeMs(table, *x);
}

const std::array<double, QScale::kSteps>& QTable() {
  static const std::array<double, QScale::kSteps> table = [] {
    std::array<double, QScale::kSteps> t{};
    for (int v = 0; v < QScale::kSteps; ++v) t[v] = std::pow(10.0, (v - 20) / 20.0);
    return t;
  }();
  return table;
}

}  // namespace

// GainScale

double GainScale::Value(int step) {
  return TenthsOfDb(step, 150, kSteps);
}

std::string GainScale::Format(int step, const NumberFormat& format) {
  return FormatDb(Value(step), format);
}

std::optional<int> GainScale::Read(std::string_view text, const NumberFormat& format) {
  const std::optional<double> x = ParseNumber(CutAtUnit(text, kDb), format);
  if (!x) return std::nullopt;
  return TruncClamped(*x * 10 + 150 + 0.5, 0, kSteps - 1);
}

int GainScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

std::optional<GainScale::StripReading> GainScale::ReadStrip(std::string_view text,
                                                            const NumberFormat& format) {
  std::optional<double> x = ParseNumber(CutAtUnit(text, kDb), format);
  if (!x) return std::nullopt;
  const double db = std::fmax(-15.0, std::fmin(15.0, *x));
  return StripReading{TruncClamped(db * 10 + 150 + 0.5, 0, kSteps - 1), db};
}

// DynThresholdScale, LimiterThresholdScale

double DynThresholdScale::Value(int step) {
  return TenthsOfDb(step, 600, kSteps);
}

std::string DynThresholdScale::Format(int step, const NumberFormat& format) {
  return FormatDb(Value(step), format);
}

std::optional<int> DynThresholdScale::Read(std::string_view text, const NumberFormat& format) {
  return ReadThreshold(text, format, 600, kSteps);
}

int DynThresholdScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

double LimiterThresholdScale::Value(int step) {
  return TenthsOfDb(step, 240, kSteps);
}

std::string LimiterThresholdScale::Format(int step, const NumberFormat& format) {
  return FormatDb(Value(step), format);
}

std::optional<int> LimiterThresholdScale::Read(std::string_view text, const NumberFormat& format) {
  return ReadThreshold(text, format, 240, kSteps);
}

int LimiterThresholdScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

// FrequencyScale

float FrequencyScale::Value(int step) {
  return FrequencyAt(ClampStep(step, kSteps));
}

std::string FrequencyScale::Format(int step, const NumberFormat& format) {
  step = ClampStep(step, kSteps);
  const float f = FrequencyAt(step);
  if (step >= 180) return FormatGeneral(f / 1000.0f, 3, format) + " kHz";
  return FormatFixed(f, 0, format) + " Hz";
}

std::optional<int> FrequencyScale::Read(std::string_view text, const NumberFormat& format) {
  const bool kilo = text.find(kKHz) != std::string_view::npos;
  std::optional<double> x = ParseNumber(CutAtUnit(text, kilo ? kKHz : kHz), format);
  if (!x) return std::nullopt;
  const double hz = kilo ? *x * 1000 : *x;
  const auto& f = FrequencyTable();
  if (!(hz > f[0])) return 0;
  if (hz >= f[kSteps - 1]) return kSteps - 1;
  int i = 1;
  while (!(hz < f[i])) ++i;
  // A tie goes to the higher entry.
  return std::fabs(f[i] - hz) > std::fabs(f[i - 1] - hz) ? i - 1 : i;
}

int FrequencyScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

// QScale

double QScale::Value(int step) {
  return QTable()[ClampStep(step, kSteps)];
}

std::string QScale::Format(int step, const NumberFormat& format) {
  return FormatGeneral(Value(step), 2, format);
}

std::optional<int> QScale::Read(std::string_view text, const NumberFormat& format) {
  const std::optional<double> x = ParseNumber(text, format);
  if (!x) return std::nullopt;
  const auto& q = QTable();
  if (!(*x > q[0])) return 0;
  if (*x >= q[kSteps - 1]) return kSteps - 1;
  int hi = 1;
  while (!(*x <= q[hi])) ++hi;
  const int lo = hi - 1;
  // A tie goes to the higher entry.
  return std::fabs(q[lo] - *x) < std::fabs(q[hi] - *x) ? lo : hi;
}

int QScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

// AttackScale, ReleaseScale

double AttackScale::Value(int step) {
  return kAttack[ClampStep(step, kSteps)];
}

std::string AttackScale::Format(int step, const NumberFormat& format) {
  return FormatWholeMs(Value(step), format);
}

std::optional<int> AttackScale::Read(std::string_view text, const NumberFormat& format) {
  return ReadWholeMs(kAttack, text, format);
}

int AttackScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

double ReleaseScale::Value(int step) {
  return ReleaseTable()[ClampStep(step, kSteps)];
}

std::string ReleaseScale::Format(int step, const NumberFormat& format) {
  return FormatWholeMs(Value(step), format);
}

std::optional<int> ReleaseScale::Read(std::string_view text, const NumberFormat& format) {
  return ReadWholeMs(ReleaseTable(), text, format);
}

int ReleaseScale::Parse(std::string_view text, int current, const NumberFormat& format) {
  return Read(text, format).value_or(current);
}

// PhaseScale

int PhaseScale::Value(int step) {
  return 5 * ClampStep(step, kSteps);
}

std::string PhaseScale::Format(int step) {
  return std::to_string(Value(step)) + " °";
}

std::optional<int> PhaseScale::Read(std::string_view text) {
  const std::optional<int> n = ParseInteger(CutAtUnit(text, kDegree));
  if (!n) return std::nullopt;
  return ClampStep(*n / 5, kSteps);
}

int PhaseScale::Parse(std::string_view text, int current) {
  return Read(text).value_or(current);
}

// TemperatureScale

int TemperatureScale::Celsius(int step) {
  return ClampStep(step, kSteps) - 20;
}

std::string TemperatureScale::Format(int step, int delayUnit) {
  const int t = Celsius(step);
  if (delayUnit != 1) return std::to_string(t) + " °C";
  const float f = static_cast<float>(t * 9 * 0.2 + 32);
  return std::to_string(static_cast<int>(std::lround(f))) + " °F";
}

std::optional<int> TemperatureScale::Read(std::string_view text, int delayUnit) {
  const bool imperial = delayUnit == 1;
  const std::optional<int> n = ParseInteger(CutAtUnit(text, imperial ? kFahrenheit : kCelsius));
  if (!n) return std::nullopt;
  if (!imperial) return TruncClamped(static_cast<double>(*n) + 20, 0, kSteps - 1);
  return TruncClamped((static_cast<double>(*n) - 32) * 5 * (1.0 / 9) + 20.5, 0, kSteps - 1);
}

int TemperatureScale::Parse(std::string_view text, int current, int delayUnit) {
  return Read(text, delayUnit).value_or(current);
}

}  // namespace korvan
