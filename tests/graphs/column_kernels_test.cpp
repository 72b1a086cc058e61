#include <gtest/gtest.h>

#include <cmath>

#include "graphs/column_freq.h"
#include "graphs/column_kernels.h"
#include "graphs/eq_response.h"
#include "graphs/filter_response.h"
#include "model/frequency_table.h"

namespace korvan {
namespace {

// The repaint path against the plain per-column formulas, over every formula and both signs.
TEST(ColumnKernels, EqBandDbMatchesTheBandFormula) {
  ColumnCurve db;
  for (int code = kEqParametric; code <= kEqHighShelf12; ++code)
    for (int fStep : {0, 77, 180, 299, 320})
      for (float q : {0.1f, 0.7f, 3.2f, 10.0f})
        for (float gain : {-15.0f, -8.8f, -0.1f, 0.1f, 4.2f, 15.0f}) {
          const float f0 = FrequencyAt(fStep);
          EqBandDbColumns(code, f0, q, gain, db);
          for (int j = 0; j < kGraphColumns; ++j)
            ASSERT_NEAR(db[j], 20.0 * std::log10(EqBandMag(code, ColumnFreq()[j], f0, q, gain)),
                        1e-4)
                << "code " << code << " f0 " << f0 << " q " << q << " dB " << gain << " j " << j;
        }
  EqBandDbColumns(16, 1000.0f, 1.0f, 6.0f, db);
  for (float v : db) ASSERT_EQ(v, 0.0f);
}

TEST(ColumnKernels, XOverMagMatchesTheSectionProducts) {
  ColumnCurve mag;
  for (int lp = -1; lp <= kXOverTypes; ++lp)
    for (int hp = -1; hp <= kXOverTypes; ++hp)
      for (auto [lpStep, hpStep] : {std::pair{320, 0}, std::pair{180, 180}, std::pair{40, 280}}) {
        const float lpFc = FrequencyAt(lpStep), hpFc = FrequencyAt(hpStep);
        XOverMagColumns(lp, lpFc, hp, hpFc, mag);
        for (int j = 0; j < kGraphColumns; ++j) {
          const float expected = XOverMag(lp, lpFc, hp, hpFc, ColumnFreq()[j]);
          if (expected < 1e-30f) {
            ASSERT_LT(mag[j], 1e-29f);
            continue;
          }
          ASSERT_NEAR(mag[j] / expected, 1.0, 1e-5)
              << "lp " << lp << "@" << lpStep << " hp " << hp << "@" << hpStep << " j " << j;
        }
      }
}

}  // namespace
}  // namespace korvan
