#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "graphs/column_freq.h"
#include "graphs/eq_response.h"

namespace korvan {
namespace {

using Complex = std::complex<double>;

// Analog prototypes, evaluated at s = j f/f0.
// Peaking: H(s) = (s^2 + kn s + 1) / (s^2 + kd s + 1); a boost widens the numerator, a cut the
// denominator, so that a cut mirrors the boost of the same size.
double Peaking(double f, double f0, double q, double db) {
  const double a = std::pow(10.0, db / 20.0);
  const double kn = a >= 1.0 ? a / q : 1.0 / q;
  const double kd = a >= 1.0 ? 1.0 / q : 1.0 / (a * q);
  const Complex s(0.0, f / f0);
  return std::abs((s * s + kn * s + 1.0) / (s * s + kd * s + 1.0));
}

// Shelving boosts of first and second order; a cut is the inverse of the boost of the same size.
double Shelf(int code, double f, double f0, double db) {
  const double g = std::pow(10.0, std::fabs(db) / 20.0);
  const Complex s(0.0, f / f0);
  const double r2 = std::sqrt(2.0), rg = std::sqrt(2.0 * g);
  Complex h;
  switch (code) {
    case kEqLowShelf6:
      h = (s + g) / (s + 1.0);
      break;
    case kEqLowShelf12:
      h = (s * s + rg * s + g) / (s * s + r2 * s + 1.0);
      break;
    case kEqHighShelf6:
      h = (g * s + 1.0) / (s + 1.0);
      break;
    case kEqHighShelf12:
      h = (g * s * s + rg * s + 1.0) / (s * s + r2 * s + 1.0);
      break;
  }
  return db > 0.0 ? std::abs(h) : 1.0 / std::abs(h);
}

constexpr float kGains[] = {-15.0f, -6.5f, -0.1f, 0.1f, 3.0f, 15.0f};
constexpr float kCentres[] = {20.0f, 141.421f, 1000.0f, 20000.0f};

TEST(EqBandMag, ParametricMatchesThePeakingPrototype) {
  for (float q : {0.1f, 1.0f, 4.4668f, 10.0f})
    for (float f0 : kCentres)
      for (float db : kGains)
        for (float f : ColumnFreq())
          EXPECT_NEAR(EqBandMag(kEqParametric, f, f0, q, db) / Peaking(f, f0, q, db), 1.0, 1e-5)
              << "q " << q << " f0 " << f0 << " dB " << db << " f " << f;
}

TEST(EqBandMag, ShelvingMatchesFirstAndSecondOrderPrototypes) {
  for (int code : {kEqLowShelf6, kEqLowShelf12, kEqHighShelf6, kEqHighShelf12})
    for (float f0 : kCentres)
      for (float db : kGains)
        for (float f : ColumnFreq())
          EXPECT_NEAR(EqBandMag(code, f, f0, 1.0f, db) / Shelf(code, f, f0, db), 1.0, 1e-5)
              << "code " << code << " f0 " << f0 << " dB " << db << " f " << f;
}

TEST(EqBandMag, ParametricPeakIsTheGainAndTheCurveIsSymmetric) {
  const float f0 = 1000.0f;
  for (float db : {15.0f, -15.0f}) {
    EXPECT_EQ(static_cast<float>(20.0 * std::log10(EqBandMag(kEqParametric, f0, f0, 1.0f, db))),
              db);
    for (float k : {1.1f, 2.0f, 7.0f}) {
      const float up = EqBandMag(kEqParametric, f0 * k, f0, 1.0f, db);
      EXPECT_NEAR(up / EqBandMag(kEqParametric, f0 / k, f0, 1.0f, db), 1.0, 1e-6) << k;
      // A cut is the mirror of the boost of the same size.
      EXPECT_NEAR(up * EqBandMag(kEqParametric, f0 * k, f0, 1.0f, -db), 1.0, 1e-6) << k;
    }
  }
}

TEST(EqBandMag, ShelvesReachTheirGainOnTheirOwnSideOnly) {
  const float f0 = 1000.0f, db = 12.0f;
  const double g = std::pow(10.0, db / 20.0);
  EXPECT_NEAR(EqBandMag(kEqLowShelf12, 20.0f, f0, 1.0f, db), g, g * 1e-5);
  EXPECT_NEAR(EqBandMag(kEqLowShelf12, 20000.0f, f0, 1.0f, db), 1.0, 1e-4);
  EXPECT_NEAR(EqBandMag(kEqHighShelf12, 20000.0f, f0, 1.0f, db), g, g * 1e-5);
  EXPECT_NEAR(EqBandMag(kEqHighShelf12, 20.0f, f0, 1.0f, db), 1.0, 1e-4);
}

TEST(EqBandMag, UnknownCodeAndZeroGainAreFlat) {
  for (int code : {0, 10, 16, -3}) EXPECT_EQ(EqBandMag(code, 500.0f, 1000.0f, 1.0f, 9.0f), 1.0f);
  for (int code = kEqParametric; code <= kEqHighShelf12; ++code)
    EXPECT_FLOAT_EQ(EqBandMag(code, 500.0f, 1000.0f, 1.0f, 0.0f), 1.0f) << code;
}

TEST(EqResponseCode, KindSelectsTheFormulaAndSlopeOnlyTheShelves) {
  struct Case {
    int kind, slope, code;
  } cases[] = {{0, 0, 12},
               {0, 1, 13},
               {1, 0, 11},
               {1, 1, 11},
               {2, 0, 14},
               {2, 1, 15},
               // damaged values are clamped to the lists
               {-1, 0, 12},
               {3, 1, 15},
               {2, 7, 15},
               {0, -2, 12}};
  for (const Case& c : cases)
    EXPECT_EQ(EqResponseCode(c.kind, c.slope), c.code) << c.kind << "," << c.slope;
}

}  // namespace
}  // namespace korvan
