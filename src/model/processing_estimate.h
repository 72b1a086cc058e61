#pragma once
// The editor's estimate of the unit's processing load, shown while no unit is connected.

namespace korvan {

class Model;

// Cost of n EQ bands or crossover units: 0, 1.8, then 0.7 more for each further one.
long double CostCurve(int n);

// Crossover cost units of a high- or low-pass filter type (HPType/LPType item): Off 0, 6 and
// 12 dB/oct 1, 18 and 24 dB/oct 2, 48 dB/oct 4.
int FilterCostUnits(int filterType);

// The estimated load p of the four inputs and six outputs: EQ bands in use, active dynamic EQs
// and crossover filters. Each module's cost is rounded to a 32-bit float before it is added.
float ProcessingEstimate(const Model& model);

}  // namespace korvan
