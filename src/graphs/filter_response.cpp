#include "graphs/filter_response.h"

#include <cmath>

namespace korvan {
namespace {

// Dampings 2*cos(angle), from the angle literals the unit's filters are designed with.
const float kSqrt2 = static_cast<float>(std::sqrt(2.0));
const float kSqrt3 = static_cast<float>(std::sqrt(3.0));
const float kBut18D = static_cast<float>(2.0 * std::cos(1.04719755));
const float kBut24D1 = static_cast<float>(2.0 * std::cos(0.39269908125));
const float kBut24D2 = static_cast<float>(2.0 * std::cos(1.17809724375));
const float kBut48D[4] = {
    static_cast<float>(2.0 * std::cos(1 * 3.14159265 * 0.0625)),
    static_cast<float>(2.0 * std::cos(3 * 3.14159265 * 0.0625)),
    static_cast<float>(2.0 * std::cos(5 * 3.14159265 * 0.0625)),
    static_cast<float>(2.0 * std::cos(7 * 3.14159265 * 0.0625)),
};

// Fourth-order Bessel: two sections with shifted corners; high-pass swaps the dampings.
constexpr float kBes24UpperFactor = 1.0588175f;
constexpr float kBes24LowerFactor = 0.9444498f;
constexpr float kBes24DampA = 1.241406f;
constexpr float kBes24DampB = 1.9159489f;

double Ratio(float fc, bool highPass, float f) {
  return highPass ? static_cast<double>(fc) / f : static_cast<double>(f) / fc;
}

}  // namespace

float FirstOrderMag(float fc, bool highPass, float f) {
  const double r = Ratio(fc, highPass, f);
  return static_cast<float>(1.0 / std::sqrt(1.0 + r * r));
}

float SecondOrderMag(float fc, bool highPass, float d, float f) {
  const double r = Ratio(fc, highPass, f);
  const double t = r * r;
  const double dd = static_cast<double>(d) * d;
  return static_cast<float>(1.0 / std::sqrt((1.0 - t) * (1.0 - t) + dd * t));
}

float XOverFilterMag(int type, float fc, bool highPass, float f) {
  float m = 1.0f;
  switch (type) {
    case kBut6:
      m *= FirstOrderMag(fc, highPass, f);
      break;
    case kBut12:
      m *= SecondOrderMag(fc, highPass, kSqrt2, f);
      break;
    case kBes12:
      m *= SecondOrderMag(fc, highPass, kSqrt3, f);
      break;
    case kLR12:
      m *= FirstOrderMag(fc, highPass, f);
      m *= FirstOrderMag(fc, highPass, f);
      break;
    case kBut18:
      m *= FirstOrderMag(fc, highPass, f);
      m *= SecondOrderMag(fc, highPass, kBut18D, f);
      break;
    case kBut24:
      m *= SecondOrderMag(fc, highPass, kBut24D1, f);
      m *= SecondOrderMag(fc, highPass, kBut24D2, f);
      break;
    case kBes24: {
      const float upper = kBes24UpperFactor * fc;
      const float lower = kBes24LowerFactor * fc;
      m *= SecondOrderMag(upper, highPass, highPass ? kBes24DampB : kBes24DampA, f);
      m *= SecondOrderMag(lower, highPass, highPass ? kBes24DampA : kBes24DampB, f);
      break;
    }
    case kLR24:
      m *= SecondOrderMag(fc, highPass, kSqrt2, f);
      m *= SecondOrderMag(fc, highPass, kSqrt2, f);
      break;
    case kBut48:
      for (float d : kBut48D) m *= SecondOrderMag(fc, highPass, d, f);
      break;
    case kLR48:
      for (int i = 0; i < 2; ++i) {
        m *= SecondOrderMag(fc, highPass, kBut24D1, f);
        m *= SecondOrderMag(fc, highPass, kBut24D2, f);
      }
      break;
    default:  // "Off" and anything out of range
      break;
  }
  return m;
}

float XOverMag(int lpType, float lpFc, int hpType, float hpFc, float f) {
  return XOverFilterMag(hpType, hpFc, true, f) * XOverFilterMag(lpType, lpFc, false, f);
}

}  // namespace korvan
