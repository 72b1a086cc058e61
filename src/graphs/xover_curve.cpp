#include "graphs/xover_curve.h"

#include "graphs/column_kernels.h"
#include "graphs/graph_rows.h"
#include "graphs/step_values.h"
#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {

void ComputeXOverCurve(const Model& model, int output, ColumnCurve& mag) {
  if (output < 0 || output >= kCurveOutputs) {
    mag.fill(1.0f);
    return;
  }
  const Modul& m = model.Module(kFirstOutputModix + output);
  const int hpType = m.Ctrl(mc::HPType).value;
  const float hpFc = FrequencyOfStep(m.Ctrl(mc::HPFreq).value);
  const int lpType = m.Ctrl(mc::LPType).value;
  const float lpFc = FrequencyOfStep(m.Ctrl(mc::LPFreq).value);
  XOverMagColumns(lpType, lpFc, hpType, hpFc, mag);
}

void ComputeXOverOffsets(const Model& model, int output, ColumnRows& offsets) {
  ColumnCurve mag;
  ComputeXOverCurve(model, output, mag);
  XOverRowOffsets(mag, offsets);
}

void ComputeXOverRows(const Model& model, int output, ColumnRows& rows) {
  ColumnRows offsets;
  ComputeXOverOffsets(model, output, offsets);
  XOverRows(offsets, rows);
}

}  // namespace korvan
