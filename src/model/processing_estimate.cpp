#include "model/processing_estimate.h"

#include <iterator>

#include "model/control_ids.h"
#include "model/eq_bands.h"
#include "model/model.h"

namespace korvan {
namespace {

constexpr long double kDynEqAlone = 11.6L;   // one dynamic EQ, or the shared part of several
constexpr long double kDynEqShared = 1.75L;  // each of two or more dynamic EQs

bool DynEqActive(const Modul& m) {
  return m.Ctrl(mc::DynEqOn).value != 0 && m.Ctrl(mc::DynEqGain).value != mc::kZeroDbGain;
}

long double EqCost(const Modul& m) {
  return m.Ctrl(mc::EqOn).value != 0 ? CostCurve(BandsInUse(m)) : 0.0L;
}

}  // namespace

long double CostCurve(int n) {
  if (n <= 0) return 0.0L;
  return 1.8L + 0.7L * static_cast<long double>(n - 1);
}

int FilterCostUnits(int filterType) {
  // "Off", "But 6", "But 12", "Bes 12", "L-R 12", "But 18", "But 24", "Bes 24", "L-R 24",
  // "But 48", "L-R 48"
  static constexpr int kUnits[] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4};
  if (filterType < 0 || filterType >= static_cast<int>(std::size(kUnits))) return 0;
  return kUnits[filterType];
}

float ProcessingEstimate(const Model& model) {
  constexpr int kFirstChannel = kFirstInputModix;
  constexpr int kEndChannels = kFirstOutputModix + kOutputCount;
  int dynEqs = 0;
  for (int id = kFirstChannel; id < kEndChannels; ++id)
    if (DynEqActive(model.Module(id))) ++dynEqs;
  const long double dynCost = dynEqs <= 1 ? kDynEqAlone : kDynEqShared;

  float p = 0.0f;
  for (int id = kFirstChannel; id < kEndChannels; ++id) {
    const Modul& m = model.Module(id);
    long double cost = EqCost(m) + (DynEqActive(m) ? dynCost : 0.0L);
    if (m.moduleKind == kKindOutput)
      cost += CostCurve(FilterCostUnits(m.Ctrl(mc::HPType).value) +
                        FilterCostUnits(m.Ctrl(mc::LPType).value));
    p += static_cast<float>(cost);
  }
  if (dynEqs >= 2) p = static_cast<float>(p + kDynEqAlone);
  return p;
}

}  // namespace korvan
