#include "graphs/eq_response.h"

#include <algorithm>
#include <cmath>

namespace korvan {

int EqResponseCode(int kind, int slope) {
  static constexpr int kByKind[3] = {kEqLowShelf6, kEqParametric, kEqHighShelf6};
  const int code = kByKind[std::clamp(kind, 0, 2)];
  return code == kEqParametric ? code : code + std::clamp(slope, 0, 1);
}

EqBandShape MakeEqBandShape(int code, float f0, float q, float gainDb) {
  EqBandShape s;
  s.code = code;
  s.f0 = f0;
  const double db = gainDb;
  s.a = std::pow(10.0, db * 0.05);
  // A cut narrows with its depth so that it mirrors the boost of the same size.
  s.c = s.a < 1.0 ? s.a * q : static_cast<double>(q);
  s.g = std::pow(10.0, std::fabs(db) * 0.05) - 1.0;
  s.boost = db > 0.0;
  return s;
}

float EqBandMag(const EqBandShape& band, float f) {
  const double fd = f;
  switch (band.code) {
    case kEqParametric: {
      const double u = (fd / band.f0 - band.f0 / fd) * band.c;
      const double y = u * u + 1.0;
      const double z = (band.a - 1.0) / y;
      return static_cast<float>(std::sqrt(2.0 * z + 1.0 + y * z * z));
    }
    case kEqLowShelf6:
    case kEqLowShelf12:
    case kEqHighShelf6:
    case kEqHighShelf12: {
      const bool low = band.code <= kEqLowShelf12;
      double x = low ? fd / band.f0 : band.f0 / fd;
      if (band.code == kEqLowShelf12 || band.code == kEqHighShelf12) x *= x;
      const double r = 1.0 + x * x;
      const double p = band.g / r + 1.0;
      const double s = band.g * x / r;
      const double m = std::sqrt(s * s + p * p);
      return static_cast<float>(band.boost ? m : 1.0 / m);
    }
    default:
      return 1.0f;
  }
}

float EqBandMag(int code, float f, float f0, float q, float gainDb) {
  return EqBandMag(MakeEqBandShape(code, f0, q, gainDb), f);
}

}  // namespace korvan
