#include "graphs/overview_rows.h"

#include "graphs/graph_rows.h"
#include "graphs/response_curves.h"
#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {

void ComputeOverviewRows(const Model& model, int output, ResponseCurves& curves, ColumnRows& rows) {
  ColumnRows offsets;
  ComputeXOverOffsets(model, output, offsets);
  const bool exists = output >= 0 && output < kCurveOutputs;
  const bool eqOn = exists && model.Ctrl(kFirstOutputModix + output, mc::EqOn).value != 0;
  // The bands are only needed when they are drawn.
  const int n = eqOn ? curves.ComputeBandCurves(model, output + kFirstOutputChannel) : 0;
  ColumnCurve sum;
  curves.BandSums(n, sum);
  OverviewRows(sum, eqOn, offsets, rows);
}

void ComputeOverview(const Model& model, ResponseCurves& curves,
                     std::array<ColumnRows, kCurveOutputs>& rows) {
  for (int o = 0; o < kCurveOutputs; ++o) ComputeOverviewRows(model, o, curves, rows[o]);
}

}  // namespace korvan
