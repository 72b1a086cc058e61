#pragma once
// One output's crossover response over the graph columns, read from the model: high-pass type
// and frequency (66, 67), low-pass type and frequency (68, 69).

#include "graphs/column_freq.h"

namespace korvan {

class Model;

inline constexpr int kCurveOutputs = 6;  // output o is module o + 5

// Linear magnitudes; flat (1.0) for an output that does not exist.
void ComputeXOverCurve(const Model& model, int output, ColumnCurve& mag);
// The fast-log offsets of those magnitudes (48 pixels per halving).
void ComputeXOverOffsets(const Model& model, int output, ColumnRows& offsets);
// The crossover graph's rows.
void ComputeXOverRows(const Model& model, int output, ColumnRows& rows);

}  // namespace korvan
