#include "graphs/step_values.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/frequency_table.h"

namespace korvan {
namespace {

constexpr int kQSteps = 41;
constexpr int kGainSteps = 301;

const std::array<float, kQSteps>& QTable() {
  static const std::array<float, kQSteps> table = [] {
    std::array<float, kQSteps> t{};
    for (int k = 0; k < kQSteps; ++k) t[k] = static_cast<float>(0.1 * std::pow(10.0, k / 20.0));
    return t;
  }();
  return table;
}

}  // namespace

float FrequencyOfStep(int step) {
  return FrequencyAt(std::clamp(step, 0, kFrequencySteps - 1));
}

float QOfStep(int step) {
  return QTable()[std::clamp(step, 0, kQSteps - 1)];
}

float GainDbOfStep(int step) {
  return static_cast<float>((std::clamp(step, 0, kGainSteps - 1) - 150) * 0.1);
}

}  // namespace korvan
