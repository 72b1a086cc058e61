#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphs/graph_rows.h"

namespace korvan {
namespace {

// 48 * (exponent + the top 7 mantissa bits as a fraction), from frexp rather than the bits.
int ReferenceOffset(float mag) {
  int ex = 0;
  const double fr = std::frexp(static_cast<double>(mag), &ex);  // mag = fr * 2^ex, fr in [0.5, 1)
  if (mag == 0.0f || ex - 1 < -17) return -180;
  const int m7 = static_cast<int>(std::floor((2.0 * fr - 1.0) * 128.0));
  return 48 * (ex - 1) + (48 * m7) / 128;
}

TEST(XOverRowOffset, ReadsExponentAndTopMantissaBits) {
  struct Case {
    float mag;
    int offset;
  } cases[] = {
      {1.0f, 0},
      {0.5f, -48},
      {2.0f, 48},
      {1.5f, 24},
      {0.70710677f, -29},  // -3 dB: 1.414 * 2^-1, M7 = 53
      {0.25f, -96},
      {std::ldexp(1.0f, -17), -816},  // the last magnitude still read off its bits
      {std::nextafter(std::ldexp(1.0f, -17), 0.0f), -180},
      {0.0f, -180},
      {std::numeric_limits<float>::denorm_min(), -180},
  };
  for (const Case& c : cases) EXPECT_EQ(XOverRowOffset(c.mag), c.offset) << c.mag;
  for (double mag = 1e-7; mag < 4.0; mag *= 1.0123) {
    const float m = static_cast<float>(mag);
    ASSERT_EQ(XOverRowOffset(m), ReferenceOffset(m)) << m;
  }
}

TEST(XOverRow, ClipsBelowAndAboveTheGraph) {
  struct Case {
    int offset, row;
  } cases[] = {{0, 88}, {-87, 175}, {-88, 178}, {-180, 178}, {-816, 178},
               {88, 0}, {89, -1},   {500, -1},  {24, 64}};
  for (const Case& c : cases) EXPECT_EQ(XOverRow(c.offset), c.row) << c.offset;
}

TEST(EqRow, SixPixelsPerDbClampedToFifteen) {
  struct Case {
    float db;
    int row;
  } cases[] = {{0.0f, 88},    {15.0f, -2},   {30.0f, -2},
               {-15.0f, 178}, {-40.0f, 178}, {0.1f, 87},
               {-0.1f, 88},   {14.9f, -1},   {-14.9f, 177},
               {5.0f, 58},    {1.0e30f, -2}, {std::numeric_limits<float>::quiet_NaN(), 88}};
  for (const Case& c : cases) EXPECT_EQ(EqRow(c.db), c.row) << c.db;
}

TEST(OverviewRow, AddsTheUnclampedEqSumToTheCrossover) {
  struct Case {
    float sum;
    bool eqOn;
    int offset, row;
  } cases[] = {
      {0.0f, true, 0, 88},      {10.0f, false, 0, 88},  // EQ switched off: crossover only
      {10.0f, false, -50, 138}, {5.0f, true, -50, 108},
      {20.0f, true, -100, 68},                           // beyond +15 dB, still not clamped
      {-14.5f, true, 0, 175},   {-14.7f, true, 0, 178},  // trunc(88.2) + 88 = 176: below the graph
      {2.0f, true, -180, 178},  {20.0f, true, 0, -1},
      {-0.1f, true, 0, 88},  // trunc toward zero of 0.6
      {1.0e30f, true, 0, -1},   {-1.0e30f, true, 0, 178},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OverviewRow(c.sum, c.eqOn, c.offset), c.row) << c.sum << " " << c.offset;
}

}  // namespace
}  // namespace korvan
