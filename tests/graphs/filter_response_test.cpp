#include <gtest/gtest.h>

#include <cmath>

#include "graphs/column_freq.h"
#include "graphs/filter_response.h"
#include "model/frequency_table.h"

namespace korvan {
namespace {

// Magnitudes far into a stop band are compared only while they are well inside float range.
constexpr double kSmallest = 1e-30;

void ExpectNear(double expected, double actual, const char* what, double f) {
  if (expected < kSmallest) return;
  EXPECT_NEAR(actual / expected, 1.0, 1e-5) << what << " at " << f << " Hz";
}

double Butterworth(int order, double fc, bool hp, double f) {
  const double r = hp ? fc / f : f / fc;
  return 1.0 / std::sqrt(1.0 + std::pow(r, 2 * order));
}

// Corners across the range; the 20 Hz corner also lands exactly on column 0.
constexpr int kCornerSteps[] = {0, 90, 180, 250, 320};

TEST(XOverFilterMag, ButterworthAndLinkwitzRileyMatchTheirClosedForms) {
  struct Case {
    int type;
    int order;
    bool squared;  // Linkwitz-Riley: a Butterworth of half the order, squared
  } cases[] = {{kBut6, 1, false},  {kBut12, 2, false}, {kBut18, 3, false}, {kBut24, 4, false},
               {kBut48, 8, false}, {kLR12, 1, true},   {kLR24, 2, true},   {kLR48, 4, true}};
  for (const Case& c : cases) {
    for (int step : kCornerSteps) {
      const float fc = FrequencyAt(step);
      for (bool hp : {false, true}) {
        for (float f : ColumnFreq()) {
          double expected = Butterworth(c.order, fc, hp, f);
          if (c.squared) expected *= expected;
          ExpectNear(expected, XOverFilterMag(c.type, fc, hp, f), "type", f);
        }
      }
    }
  }
}

TEST(XOverFilterMag, Bessel12MatchesItsClosedForm) {
  for (int step : kCornerSteps) {
    const double fc = FrequencyAt(step);
    for (bool hp : {false, true}) {
      for (float f : ColumnFreq()) {
        const double r = hp ? fc / f : f / fc;
        const double t = r * r;
        ExpectNear(1.0 / std::sqrt(1.0 + t + t * t), XOverFilterMag(kBes12, fc, hp, f), "bes12", f);
      }
    }
  }
}

TEST(XOverFilterMag, Bessel24HighPassMirrorsLowPassOnTheLogAxis) {
  const double fc = FrequencyAt(180);
  for (float f : ColumnFreq()) {
    const float mirrored = static_cast<float>(fc * fc / f);
    ExpectNear(XOverFilterMag(kBes24, fc, false, f), XOverFilterMag(kBes24, fc, true, mirrored),
               "bes24", f);
  }
  // Not a Butterworth: the low-pass is already down by more than 3 dB at its corner.
  EXPECT_LT(XOverFilterMag(kBes24, fc, false, fc), 0.7f);
  EXPECT_GT(XOverFilterMag(kBes24, fc, false, fc), 0.3f);
}

TEST(XOverFilterMag, CornerValues) {
  const float fc = 1000.0f;
  struct Case {
    int type;
    double expected;
  } cases[] = {
      {kBut6, 1.0 / std::sqrt(2.0)},
      {kBut24, 1.0 / (2.0 * std::cos(0.39269908125) * 2.0 * std::cos(1.17809724375))},
      {kLR24, 0.5},
      {kLR12, 0.5},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(XOverFilterMag(c.type, fc, false, fc), c.expected, 1e-6) << c.type;
    EXPECT_NEAR(XOverFilterMag(c.type, fc, true, fc), c.expected, 1e-6) << c.type;
  }
}

TEST(XOverFilterMag, OffAndUnknownTypesAreExactlyFlat) {
  for (int type : {0, 11, 12, -1, 1000}) {
    for (float f : ColumnFreq()) {
      EXPECT_EQ(XOverFilterMag(type, 1000.0f, false, f), 1.0f) << type;
      EXPECT_EQ(XOverFilterMag(type, 1000.0f, true, f), 1.0f) << type;
    }
  }
}

TEST(XOverMag, IsTheLowPassTakenFirstTimesTheHighPass) {
  const float lpFc = 5000.0f, hpFc = 100.0f;
  for (float f : ColumnFreq()) {
    ExpectNear(Butterworth(1, lpFc, false, f) * Butterworth(4, hpFc, true, f),
               XOverMag(kBut6, lpFc, kBut24, hpFc, f), "xover", f);
    EXPECT_EQ(XOverMag(kXOverOff, lpFc, kXOverOff, hpFc, f), 1.0f);
  }
}

TEST(ColumnFreq, SpansTwentyHertzToJustBelowTwentyKilohertz) {
  const ColumnCurve& freq = ColumnFreq();
  EXPECT_EQ(freq[0], 20.0f);
  for (int j = 0; j < kGraphColumns; ++j)
    EXPECT_NEAR(freq[j] / (20.0 * std::pow(1000.0, j / 390.0)), 1.0, 1e-7) << j;
  EXPECT_NEAR(freq[195], 632.456, 1e-3);
  EXPECT_NEAR(freq[389], 19648.9, 0.1);
}

}  // namespace
}  // namespace korvan
