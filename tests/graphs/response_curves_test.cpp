#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "graphs/column_freq.h"
#include "graphs/eq_response.h"
#include "graphs/filter_response.h"
#include "graphs/graph_rows.h"
#include "graphs/overview_rows.h"
#include "graphs/response_curves.h"
#include "graphs/xover_curve.h"
#include "model/control_ids.h"
#include "model/frequency_table.h"
#include "model/model.h"

namespace korvan {
namespace {

struct Filter {
  int freq, q, gain, kind, slope;
};

class CurvesTest : public ::testing::Test {
 protected:
  void Set(int modix, int mcix, int v) { model.StoreDirect(model.Ctrl(modix, mcix), v); }
  void SetBand(int modix, int b, const Filter& p) {
    Set(modix, mc::EqFreq(b), p.freq);
    Set(modix, mc::EqQ(b), p.q);
    Set(modix, mc::EqGain(b), p.gain);
    Set(modix, mc::EqKind(b), p.kind);
    Set(modix, mc::EqSlope(b), p.slope);
  }
  void SetXOver(int output, int lpType, int lpStep, int hpType, int hpStep) {
    const int modix = kFirstOutputModix + output;
    Set(modix, mc::LPType, lpType);
    Set(modix, mc::LPFreq, lpStep);
    Set(modix, mc::HPType, hpType);
    Set(modix, mc::HPFreq, hpStep);
  }
  // The band's dB at column j, from the step definitions rather than the graph's helpers.
  static double BandDb(const Filter& p, int j) {
    static constexpr int kCodes[3] = {12, 11, 14};
    const int code = kCodes[p.kind] + (p.kind == 1 ? 0 : p.slope);
    const float q = static_cast<float>(0.1 * std::pow(10.0, p.q / 20.0));
    const float db = static_cast<float>((p.gain - 150) / 10.0);
    return 20.0 * std::log10(EqBandMag(code, ColumnFreq()[j], FrequencyAt(p.freq), q, db));
  }

  Model model;
  ResponseCurves curves;
};

// Nine bands, each of another kind, slope, frequency, Q and gain.
constexpr Filter kBands[9] = {{10, 0, 300, 0, 0},   {60, 10, 0, 0, 1},    {100, 20, 250, 1, 0},
                              {150, 30, 20, 1, 1},  {180, 40, 160, 2, 0}, {220, 5, 140, 2, 1},
                              {260, 15, 149, 1, 0}, {300, 25, 151, 0, 1}, {320, 35, 75, 2, 0}};

TEST_F(CurvesTest, BandCurvesReadEachBandsParametersAndCountFromTheChannel) {
  for (int channel : {0, 3, 4, 9}) {
    const int modix = channel + 1;
    for (int b = 0; b < 9; ++b) SetBand(modix, b, kBands[b]);
    Set(modix, mc::EqBandsShown, 8);
    ASSERT_EQ(curves.ComputeBandCurves(model, channel), 9);
    for (int b = 0; b < 9; ++b)
      for (int j = 0; j < kGraphColumns; ++j)
        ASSERT_NEAR(curves.BandCurves()[b][j], BandDb(kBands[b], j), 1e-4)
            << "channel " << channel << " band " << b << " column " << j;
    Set(modix, mc::EqBandsShown, 2);
    EXPECT_EQ(curves.ComputeBandCurves(model, channel), 3);
  }
  EXPECT_EQ(curves.ComputeBandCurves(model, -1), 0);
  EXPECT_EQ(curves.ComputeBandCurves(model, 10), 0);
}

TEST_F(CurvesTest, ZeroDbBandGivesAZeroRowAndOtherGainsTheInvertedShelf) {
  SetBand(1, 0, {100, 20, 160, 0, 1});
  curves.ComputeBandCurves(model, 0);
  ASSERT_GT(curves.BandCurves()[0][0], 0.5f);
  Set(1, mc::EqGain(0), 150);
  curves.ComputeBandCurves(model, 0);
  for (float v : curves.BandCurves()[0]) ASSERT_EQ(v, 0.0f);
  Set(1, mc::EqGain(0), 149);  // -0.1 dB: the cut form, full depth below the corner
  curves.ComputeBandCurves(model, 0);
  EXPECT_NEAR(curves.BandCurves()[0][0], -0.1f, 1e-4);
  EXPECT_NEAR(curves.BandCurves()[0][389], 0.0f, 1e-4);
}

TEST_F(CurvesTest, DamagedStepsAreClampedBeforeTheyIndexATable) {
  // Values outside the ranges can only come from outside the model's own setters.
  SetBand(1, 0, {5000, 99, 900, 7, 9});
  Set(1, mc::EqBandsShown, 50);
  ASSERT_EQ(curves.ComputeBandCurves(model, 0), 9);
  for (int j = 0; j < kGraphColumns; ++j)
    ASSERT_NEAR(curves.BandCurves()[0][j], BandDb({320, 40, 300, 2, 1}, j), 1e-4) << j;
}

TEST_F(CurvesTest, DynCurveUsesTheDynamicEqFilter) {
  const Filter dyn{200, 12, 40, 1, 0};
  Set(5, mc::DynEqFreq, dyn.freq);
  Set(5, mc::DynEqQ, dyn.q);
  Set(5, mc::DynEqGain, dyn.gain);
  Set(5, mc::DynEqKind, dyn.kind);
  Set(5, mc::DynEqSlope, dyn.slope);
  curves.ComputeDynCurve(model, 4);
  ColumnRows rows;
  curves.DynRows(rows);
  for (int j = 0; j < kGraphColumns; ++j) {
    ASSERT_NEAR(curves.DynCurve()[j], BandDb(dyn, j), 1e-4) << j;
    ASSERT_EQ(rows[j], EqRow(curves.DynCurve()[j])) << j;
  }
  Set(5, mc::DynEqGain, 150);
  curves.ComputeDynCurve(model, 4);
  for (float v : curves.DynCurve()) ASSERT_EQ(v, 0.0f);
}

TEST_F(CurvesTest, EqRowsSumTheBandsInUseAndClampAtFifteen) {
  // Two +15 dB peaks at the 20 Hz column make 30 dB there: drawn at the clamp row.
  SetBand(1, 0, {0, 20, 300, 1, 0});
  SetBand(1, 1, {0, 20, 300, 1, 0});
  SetBand(1, 2, {320, 20, 0, 1, 0});  // not in use
  Set(1, mc::EqBandsShown, 1);
  const int n = curves.ComputeBandCurves(model, 0);
  ColumnRows rows;
  curves.EqRows(n, rows);
  EXPECT_EQ(curves.BandSum(n, 0), 30.0f);
  EXPECT_EQ(rows[0], -2);
  // The unused -15 dB band at 20 kHz is left out; the peaks' last fraction of a millidecibel
  // truncates to the row just above 0 dB.
  EXPECT_EQ(rows[389], 87);
  // One -15 dB peak exactly on its column: exactly -15, the bottom clamp row.
  SetBand(1, 0, {0, 20, 0, 1, 0});
  curves.EqRows(curves.ComputeBandCurves(model, 0) - 1, rows);
  EXPECT_EQ(curves.BandCurves()[0][0], -15.0f);
  EXPECT_EQ(rows[0], 178);
}

TEST_F(CurvesTest, XOverCurveTakesBothFiltersOfTheOutput) {
  SetXOver(2, kBut6, 250, kBut12, 100);
  ColumnCurve mag;
  ColumnRows offsets, rows;
  ComputeXOverCurve(model, 2, mag);
  ComputeXOverOffsets(model, 2, offsets);
  ComputeXOverRows(model, 2, rows);
  const double lp = FrequencyAt(250), hp = FrequencyAt(100);
  for (int j = 0; j < kGraphColumns; ++j) {
    const double f = ColumnFreq()[j];
    const double expected =
        1.0 / std::sqrt(1.0 + std::pow(f / lp, 2)) / std::sqrt(1.0 + std::pow(hp / f, 4));
    ASSERT_NEAR(mag[j] / expected, 1.0, 1e-5) << j;
    ASSERT_EQ(offsets[j], XOverRowOffset(mag[j])) << j;
    ASSERT_EQ(rows[j], XOverRow(offsets[j])) << j;
  }
}

TEST_F(CurvesTest, XOverFlatWhenOffAndFloorDeepInTheStopBand) {
  SetXOver(0, kXOverOff, 10, kXOverOff, 300);
  ColumnCurve mag;
  ColumnRows offsets, rows;
  ComputeXOverCurve(model, 0, mag);
  ComputeXOverOffsets(model, 0, offsets);
  ComputeXOverRows(model, 0, rows);
  for (int j = 0; j < kGraphColumns; ++j) {
    ASSERT_EQ(mag[j], 1.0f);
    ASSERT_EQ(offsets[j], 0);
    ASSERT_EQ(rows[j], 88);
  }
  SetXOver(5, kBut48, 0, kXOverOff, 0);
  ComputeXOverOffsets(model, 5, offsets);
  ComputeXOverRows(model, 5, rows);
  EXPECT_EQ(offsets[389], -180);
  EXPECT_EQ(rows[389], 178);
  ComputeXOverCurve(model, 6, mag);  // no such output
  for (float m : mag) ASSERT_EQ(m, 1.0f);
}

TEST_F(CurvesTest, OverviewAddsTheUnclampedEqOnlyWhenTheOutputsEqIsOn) {
  const int output = 1, modix = kFirstOutputModix + output;
  // A 6 dB/Oct low-pass at 176 Hz is some 15 dB down at 1 kHz, where two peaks add about 27 dB.
  const Filter peaks[2] = {{180, 10, 290, 1, 0}, {180, 14, 280, 1, 0}};
  SetXOver(output, kBut6, 100, kXOverOff, 0);
  SetBand(modix, 0, peaks[0]);
  SetBand(modix, 1, peaks[1]);
  Set(modix, mc::EqBandsShown, 1);
  ColumnRows offsets, xrows, rows;
  ComputeXOverOffsets(model, output, offsets);
  ComputeXOverRows(model, output, xrows);

  Set(modix, mc::EqOn, 0);
  ComputeOverviewRows(model, output, curves, rows);
  EXPECT_EQ(rows, xrows);

  Set(modix, mc::EqOn, 1);
  ComputeOverviewRows(model, output, curves, rows);
  int lowestBelowClamp = 0;  // how far the unclamped sum lifts the curve over a clamped one
  for (int j = 0; j < kGraphColumns; ++j) {
    const double sum = BandDb(peaks[0], j) + BandDb(peaks[1], j);
    int expected = static_cast<int>(-6.0 * sum) + 88 - offsets[j];
    if (expected > 175) expected = 178;
    if (expected < 0) expected = -1;
    // The float sum may land on the other side of a whole pixel than the double one.
    ASSERT_NEAR(rows[j], expected, 1) << j;
    const int clamped = static_cast<int>(-6.0 * std::min(sum, 15.0)) + 88 - offsets[j];
    lowestBelowClamp = std::min(lowestBelowClamp, rows[j] - clamped);
  }
  EXPECT_LT(lowestBelowClamp, -50);

  std::array<ColumnRows, kCurveOutputs> all;
  ComputeOverview(model, curves, all);
  EXPECT_EQ(all[output], rows);
}

}  // namespace
}  // namespace korvan
