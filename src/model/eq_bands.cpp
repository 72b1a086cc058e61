#include "model/eq_bands.h"

#include "model/control_ids.h"
#include "model/model.h"
#include "model/processing_estimate.h"

namespace korvan {
namespace {

bool InUse(const Modul& m, int band) {
  return m.Ctrl(mc::EqGain(band)).value != mc::kZeroDbGain;
}

// How many outputs run a copy of this module's EQ through the output stereo link.
int StereoCopies(const Model& model, const Modul& m) {
  if (m.modix == kSumInputModix || model.SetupValue(mc::OutStereoLink) == 0) return 1;
  switch (model.OutputConfiguration) {
    case 1:
    case 2:
      return 2;
    case 3:
      return 3;
    default:
      return 1;
  }
}

}  // namespace

int BandsInUse(const Modul& m) {
  if (!m.IsChannel()) return 0;
  int n = 0;
  for (int b = 0; b < mc::kEqBands; ++b)
    if (InUse(m, b)) ++n;
  return n;
}

void EqOnRule(Model& model, Modul& m, int value) {
  if (value == 0 || !m.IsChannel()) return;
  const float cost = static_cast<float>(CostCurve(BandsInUse(m)) * StereoCopies(model, m));
  if (static_cast<double>(cost) + 4.5 < static_cast<double>(model.EqLimit)) return;
  model.SetValue(m.Ctrl(mc::EqOn), 0, NOTIFY_CORRECTION);
  if (ModelHost* host = model.Host())
    host->MessageBox("Too many EQ's", MsgIcon::Error, MsgButtons::Ok);
}

void EqBandSelectRule(Model& model, Modul& m, int requested) {
  if (!m.IsChannel()) return;
  MCtrl& shown = m.Ctrl(mc::EqBandsShown);
  int b = shown.value;
  int k = -1;
  for (int i = b; i >= 0; --i) {
    if (InUse(m, i)) {
      k = i;
      break;
    }
  }
  if (k + 1 < b) {
    b = k + 1;
    model.SetValue(shown, b, NOTIFY_FULL);
  }
  if (b >= requested) return;
  if (k == b && b < mc::kEqBands - 1) {
    ++b;
    model.SetValue(shown, b, NOTIFY_FULL);
  }
  if (b != requested) model.SetValue(m.Ctrl(mc::EqSelectedBand), b, NOTIFY_CORRECTION);
}

void DeleteEqBand(Model& model, Modul& m, int band) {
  if (!m.IsChannel() || band < 0 || band >= mc::kEqBands) return;
  const int last = m.Ctrl(mc::EqBandsShown).value;
  // A band that is not shown is not deleted in place of the last one.
  if (last == 0 || band > last) return;
  for (int i = band; i < last; ++i) {
    const int from = i + 1;
    model.SetValue(m.Ctrl(mc::EqFreq(i)), m.Ctrl(mc::EqFreq(from)).value, NOTIFY_FULL);
    model.SetValue(m.Ctrl(mc::EqQ(i)), m.Ctrl(mc::EqQ(from)).value, NOTIFY_FULL);
    model.SetValue(m.Ctrl(mc::EqGain(i)), m.Ctrl(mc::EqGain(from)).value, NOTIFY_FULL);
    model.SetValue(m.Ctrl(mc::EqKind(i)), m.Ctrl(mc::EqKind(from)).value, NOTIFY_FULL);
    model.SetValue(m.Ctrl(mc::EqSlope(i)), m.Ctrl(mc::EqSlope(from)).value, NOTIFY_FULL);
  }
  model.SetValue(m.Ctrl(mc::EqGain(last)), mc::kZeroDbGain, NOTIFY_FULL);
  model.SetValue(m.Ctrl(mc::EqBandsShown), last - 1, NOTIFY_FULL);
  MCtrl& selected = m.Ctrl(mc::EqSelectedBand);
  if (selected.value > 0) model.SetValue(selected, selected.value - 1, NOTIFY_FULL);
}

}  // namespace korvan
