#include "graphs/column_freq.h"

#include <cmath>

namespace korvan {

const ColumnCurve& ColumnFreq() {
  static const ColumnCurve table = [] {
    ColumnCurve t{};
    for (int j = 0; j < kGraphColumns; ++j)
      t[j] = static_cast<float>(20.0 * std::pow(1000.0, j / static_cast<double>(kGraphColumns)));
    return t;
  }();
  return table;
}

}  // namespace korvan
