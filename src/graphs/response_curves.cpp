#include "graphs/response_curves.h"

#include <algorithm>

#include "graphs/column_kernels.h"
#include "graphs/eq_response.h"
#include "graphs/graph_rows.h"
#include "graphs/step_values.h"
#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {
namespace {

// Where one EQ filter's five parameters sit in its module.
struct FilterParams {
  int freq, q, gain, kind, slope;
};

constexpr FilterParams BandParams(int b) {
  return {mc::EqFreq(b), mc::EqQ(b), mc::EqGain(b), mc::EqKind(b), mc::EqSlope(b)};
}
constexpr FilterParams kDynParams{mc::DynEqFreq, mc::DynEqQ, mc::DynEqGain, mc::DynEqKind,
                                  mc::DynEqSlope};

bool ChannelExists(int channel) {
  return channel >= 0 && channel < kCurveChannels;
}

const Modul& ChannelModule(const Model& model, int channel) {
  return model.Module(kFirstInputModix + channel);
}

void FillFilterRow(const Modul& m, const FilterParams& p, ColumnCurve& row) {
  const int gain = std::clamp(m.Ctrl(p.gain).value, 0, 300);
  if (gain == mc::kZeroDbGain) {
    row.fill(0.0f);  // a flat band costs nothing
    return;
  }
  EqBandDbColumns(EqResponseCode(m.Ctrl(p.kind).value, m.Ctrl(p.slope).value),
                  FrequencyOfStep(m.Ctrl(p.freq).value), QOfStep(m.Ctrl(p.q).value),
                  GainDbOfStep(gain), row);
}

}  // namespace

int ResponseCurves::ComputeBandCurves(const Model& model, int channel) {
  if (!ChannelExists(channel)) return 0;
  const Modul& m = ChannelModule(model, channel);
  const int n = std::clamp(m.Ctrl(mc::EqBandsShown).value + 1, 1, kCurveBands);
  for (int b = 0; b < n; ++b) FillFilterRow(m, BandParams(b), bandCurves_[b]);
  return n;
}

void ResponseCurves::ComputeDynCurve(const Model& model, int channel) {
  if (!ChannelExists(channel)) {
    dynCurve_.fill(0.0f);
    return;
  }
  FillFilterRow(ChannelModule(model, channel), kDynParams, dynCurve_);
}

float ResponseCurves::BandSum(int n, int j) const {
  n = std::clamp(n, 0, kCurveBands);
  float sum = 0.0f;
  for (int b = 0; b < n; ++b) sum += bandCurves_[b][j];
  return sum;
}

void ResponseCurves::BandSums(int n, ColumnCurve& sum) const {
  n = std::clamp(n, 0, kCurveBands);
  sum.fill(0.0f);
  for (int b = 0; b < n; ++b)
    for (int j = 0; j < kGraphColumns; ++j) sum[j] += bandCurves_[b][j];
}

void ResponseCurves::EqRows(int n, ColumnRows& rows) const {
  ColumnCurve sum;
  BandSums(n, sum);
  korvan::EqRows(sum, rows);
}

void ResponseCurves::DynRows(ColumnRows& rows) const {
  korvan::EqRows(dynCurve_, rows);
}

}  // namespace korvan
