#pragma once
// The horizontal axis of every response graph: 390 columns, column j at 20 * 1000^(j/390) Hz.
// Column 0 is 20 Hz; 20 kHz itself would be column 390, just outside the graph.

#include <array>

namespace korvan {

inline constexpr int kGraphColumns = 390;

using ColumnCurve = std::array<float, kGraphColumns>;  // one value per column
using ColumnRows = std::array<int, kGraphColumns>;     // one pixel row per column

// Built on first use and never changed; one table serves the crossover and EQ curves.
const ColumnCurve& ColumnFreq();

}  // namespace korvan
