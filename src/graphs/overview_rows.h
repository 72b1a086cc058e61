#pragma once
// The Display page's overview: an output's EQ sum (when its EQ is on) over its crossover.

#include <array>

#include "graphs/column_freq.h"
#include "graphs/xover_curve.h"

namespace korvan {

class Model;
class ResponseCurves;

// Rows of output 0..5; curves' band buffers are used as scratch. An output that does not exist
// gives the flat row 88.
void ComputeOverviewRows(const Model& model, int output, ResponseCurves& curves, ColumnRows& rows);
// All six outputs, in output order.
void ComputeOverview(const Model& model, ResponseCurves& curves,
                     std::array<ColumnRows, kCurveOutputs>& rows);

}  // namespace korvan
