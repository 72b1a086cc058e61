#pragma once
// The frequency of each of the 321 frequency steps, as 32-bit floats: 20 Hz at step 0, 1 kHz at
// step 180, 20 kHz at step 320.

#include <array>

namespace korvan {

inline constexpr int kFrequencySteps = 321;
const std::array<float, kFrequencySteps>& FrequencyTable();
inline float FrequencyAt(int step) { return FrequencyTable()[step]; }

}  // namespace korvan
