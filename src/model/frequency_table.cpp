#include "model/frequency_table.h"

#include <cmath>

namespace korvan {

const std::array<float, kFrequencySteps>& FrequencyTable() {
  static const std::array<float, kFrequencySteps> table = [] {
    std::array<float, kFrequencySteps> t{};
    for (int v = 0; v < kFrequencySteps; ++v) {
      const double f = v <= 180 ? 20.0 * std::pow(50.0, v / 180.0)
                                : 1000.0 * std::pow(20.0, (v - 180) / 140.0);
      t[v] = static_cast<float>(f);
    }
    return t;
  }();
  return table;
}

}  // namespace korvan
