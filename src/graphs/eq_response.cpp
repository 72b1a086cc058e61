#include "graphs/eq_response.h"

#include <algorithm>
#include <cmath>

namespace korvan {

int EqResponseCode(int kind, int slope) {
  static constexpr int kByKind[3] = {kEqLowShelf6, kEqParametric, kEqHighShelf6};
  const int code = kByKind[std::clamp(kind, 0, 2)];
  return code == kEqParametric ? code : code + std::clamp(slope, 0, 1);
}

float EqBandMag(int code, float f, float f0, float q, float gainDb) {
  const double fd = f, f0d = f0, db = gainDb;
  switch (code) {
    case kEqParametric: {
      const double a = std::pow(10.0, db * 0.05);
      // A cut narrows with its depth so that it mirrors the boost of the same size.
      const double c = a < 1.0 ? a * q : static_cast<double>(q);
      const double u = (fd / f0d - f0d / fd) * c;
      const double y = u * u + 1.0;
      const double z = (a - 1.0) / y;
      return static_cast<float>(std::sqrt(2.0 * z + 1.0 + y * z * z));
    }
    case kEqLowShelf6:
    case kEqLowShelf12:
    case kEqHighShelf6:
    case kEqHighShelf12: {
      const bool low = code <= kEqLowShelf12;
      double x = low ? fd / f0d : f0d / fd;
      if (code == kEqLowShelf12 || code == kEqHighShelf12) x *= x;
      const double g = std::pow(10.0, std::fabs(db) * 0.05) - 1.0;
      const double r = 1.0 + x * x;
      const double p = g / r + 1.0;
      const double s = g * x / r;
      const double m = std::sqrt(s * s + p * p);
      return static_cast<float>(db > 0.0 ? m : 1.0 / m);
    }
    default:
      return 1.0f;
  }
}

}  // namespace korvan
