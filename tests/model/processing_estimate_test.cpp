#include <gtest/gtest.h>

#include <vector>

#include "model/processing_estimate.h"
#include "rules_fixture.h"

namespace korvan::test {
namespace {

// A model with every crossover filter off, so that nothing costs anything.
void FiltersOff(Model& m) {
  for (int k = 0; k < kOutputCount; ++k) {
    m.SetValue(m.OutputModule(k).Ctrl(mc::HPType), 0, NOTIFY_FULL);
    m.SetValue(m.OutputModule(k).Ctrl(mc::LPType), 0, NOTIFY_FULL);
  }
  m.ProcessChanges();
}

TEST(ProcessingEstimate, AddsEqBandsDynamicEqsAndCrossoverUnits) {
  struct Case {
    const char* what;
    int hpType, lpType;  // of output 1
    bool eqOn;           // of output 1, with bands 0..bands-1 in use
    int bands;
    std::vector<int> dynEqs;   // channels with an active dynamic EQ
    std::vector<int> flatDyn;  // channels with the dynamic EQ on at 0 dB
    float expected;
  } cases[] = {
      {"nothing in use", 0, 0, false, 0, {}, {}, 0.0f},
      {"two But 24 filters and three bands", 6, 6, true, 3, {}, {}, 7.1f},
      {"bands of an EQ that is off", 0, 0, false, 3, {}, {}, 0.0f},
      {"an EQ on without bands", 0, 0, true, 0, {}, {}, 0.0f},
      {"one band", 0, 0, true, 1, {}, {}, 1.8f},
      {"nine bands", 0, 0, true, 9, {}, {}, 7.4f},
      {"But 6 and Bes 12 count one unit each", 1, 3, false, 0, {}, {}, 2.5f},
      {"But 18 and L-R 24 count two", 5, 8, false, 0, {}, {}, 3.9f},
      {"But 48 and L-R 48 count four", 9, 10, false, 0, {}, {}, 6.7f},
      {"one dynamic EQ", 0, 0, false, 0, {2}, {}, 11.6f},
      {"two dynamic EQs", 0, 0, false, 0, {2, 9}, {}, 15.1f},
      {"three dynamic EQs", 0, 0, false, 0, {1, 4, 10}, {}, 16.85f},
      {"a dynamic EQ at 0 dB is not active", 0, 0, false, 0, {3}, {4, 5}, 11.6f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Model model;
    FiltersOff(model);
    Modul& out1 = model.OutputModule(0);
    model.SetValue(out1.Ctrl(mc::HPType), c.hpType, NOTIFY_FULL);
    model.SetValue(out1.Ctrl(mc::LPType), c.lpType, NOTIFY_FULL);
    model.SetValue(out1.Ctrl(mc::EqOn), c.eqOn, NOTIFY_FULL);
    for (int b = 0; b < c.bands; ++b) model.SetValue(out1.Ctrl(mc::EqGain(b)), 140, NOTIFY_FULL);
    for (int id : c.dynEqs) {
      model.SetValue(model.Ctrl(id, mc::DynEqOn), 1, NOTIFY_FULL);
      model.SetValue(model.Ctrl(id, mc::DynEqGain), 170, NOTIFY_FULL);
    }
    for (int id : c.flatDyn) model.SetValue(model.Ctrl(id, mc::DynEqOn), 1, NOTIFY_FULL);
    model.ProcessChanges();
    EXPECT_EQ(ProcessingEstimate(model), c.expected);
  }
}

TEST(ProcessingEstimate, RoundsEachModuleToFloatBeforeAddingIt) {
  // 1.8 + 3 x (3.2 + 6.7) is 31.5 exactly, but each output's 9.9 is a float a little under it:
  // the sum stays under 31.5 and the main window shows trunc(p + 4.5) = 35, not 36.
  Model model;
  FiltersOff(model);
  model.SetValue(model.InputModule(0).Ctrl(mc::EqOn), 1, NOTIFY_FULL);
  model.SetValue(model.InputModule(0).Ctrl(mc::EqGain(4)), 100, NOTIFY_FULL);
  for (int k = 0; k < 3; ++k) {
    Modul& out = model.OutputModule(k);
    model.SetValue(out.Ctrl(mc::HPType), 9, NOTIFY_FULL);   // "But 48"
    model.SetValue(out.Ctrl(mc::LPType), 10, NOTIFY_FULL);  // "L-R 48"
    model.SetValue(out.Ctrl(mc::EqOn), 1, NOTIFY_FULL);
    for (int b = 6; b < 9; ++b) model.SetValue(out.Ctrl(mc::EqGain(b)), 151, NOTIFY_FULL);
  }
  model.ProcessChanges();
  const float p = ProcessingEstimate(model);
  EXPECT_LT(p, 31.5f);
  EXPECT_EQ(static_cast<int>(p + 4.5), 35);
}

TEST_F(RulesTest, DefaultSetCostsTheSixCrossovers) {
  // Every output has two But 24 filters: four units each.
  EXPECT_FLOAT_EQ(ProcessingEstimate(model), 6 * 3.9f);
  EXPECT_EQ(static_cast<float>(CostCurve(9) * 3), 22.2f);
}

}  // namespace
}  // namespace korvan::test
