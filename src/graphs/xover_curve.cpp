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
  for (int j = 0; j < kGraphColumns; ++j) offsets[j] = XOverRowOffset(mag[j]);
}

void ComputeXOverRows(const Model& model, int output, ColumnRows& rows) {
  ComputeXOverOffsets(model, output, rows);
  for (int& r : rows) r = XOverRow(r);
}

}  // namespace korvan
