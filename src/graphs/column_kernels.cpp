#include "graphs/column_kernels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "graphs/eq_response.h"
#include "graphs/filter_response.h"

namespace korvan {
namespace {

// The loops run over a multiple of four columns so that each step handles four at once; the two
// extra columns are computed and dropped.
constexpr int kPadded = (kGraphColumns + 3) / 4 * 4;

template <typename T>
using Padded = std::array<T, kPadded>;

template <typename T>
struct Axis {
  Padded<T> f;     // column frequency
  Padded<T> invF;  // its reciprocal
};

template <typename T>
const Axis<T>& ColumnAxis() {
  static const Axis<T> axis = [] {
    Axis<T> a{};
    const ColumnCurve& freq = ColumnFreq();
    for (int j = 0; j < kPadded; ++j) {
      const double f = j < kGraphColumns ? freq[j] : freq[kGraphColumns - 1];
      a.f[j] = static_cast<T>(f);
      a.invF[j] = static_cast<T>(1.0 / f);
    }
    return a;
  }();
  return axis;
}

// log2(x) for a positive normal float, from its exponent and an odd series in
// s = (m - 1) / (m + 1) with the mantissa m moved into [sqrt(1/2), sqrt(2)). Exact at 1.
inline float Log2(float x) {
  constexpr uint32_t kShift = 0x3F800000u - 0x3F3504F3u;  // 1.0 minus sqrt(1/2), as bits
  const uint32_t bits = std::bit_cast<uint32_t>(x) + kShift;
  const int32_t e = static_cast<int32_t>(bits >> 23) - 127;
  const float m = std::bit_cast<float>((bits & 0x007FFFFFu) + 0x3F3504F3u);
  const float s = (m - 1.0f) / (m + 1.0f);
  const float s2 = s * s;
  const float series =
      1.0f + s2 * (1.0f / 3.0f + s2 * (1.0f / 5.0f + s2 * (1.0f / 7.0f + s2 * (1.0f / 9.0f))));
  constexpr float kTwoOverLn2 = 2.88539008f;
  return static_cast<float>(e) + kTwoOverLn2 * s * series;
}

// Every band's squared magnitude has the form K * (1 + w/K) / (1 + w), with w = 0 where the band
// has its full gain and K the squared linear gain there. In dB: sign * (level + 10 log10(q)).
struct BandLevel {
  float level;  // dB at full gain
  float invK;
  float sign;
};

constexpr float kTenLog10Of2 = 3.01029996f;  // 10 log10(x) = this * log2(x)

template <typename W>
void BandColumns(const BandLevel& b, W w, float* __restrict out) {
  for (int j = 0; j < kPadded; ++j) {
    const float wj = w(j);
    const float q = (1.0f + wj * b.invK) / (1.0f + wj);
    out[j] = b.sign * (b.level + kTenLog10Of2 * Log2(q));
  }
}

}  // namespace

void EqBandDbColumns(int code, float f0, float q, float gainDb, ColumnCurve& db) {
  if (code < kEqParametric || code > kEqHighShelf12) {
    db.fill(0.0f);
    return;
  }
  const Axis<float>& axis = ColumnAxis<float>();
  const float* __restrict f = axis.f.data();
  const float* __restrict invF = axis.invF.data();
  const float invF0 = static_cast<float>(1.0 / f0);
  alignas(16) Padded<float> out;
  const double gain = gainDb;
  if (code == kEqParametric) {
    // (A^2 + u^2) / (1 + u^2) with u = (f/f0 - f0/f) * c; a cut narrows c by A.
    const double a = std::pow(10.0, gain * 0.05);
    const float c = static_cast<float>(a < 1.0 ? a * q : q);
    const BandLevel b{gainDb, static_cast<float>(1.0 / (a * a)), 1.0f};
    BandColumns(
        b,
        [&](int j) {
          const float u = c * (f[j] * invF0 - f0 * invF[j]);
          return u * u;
        },
        out.data());
  } else {
    // (G^2 + x^2) / (1 + x^2), inverted for a cut; x = f/f0 or f0/f, squared for 12 dB/Oct.
    const double g = std::pow(10.0, std::fabs(gain) * 0.05);
    const BandLevel b{std::fabs(gainDb), static_cast<float>(1.0 / (g * g)),
                      gainDb > 0.0f ? 1.0f : -1.0f};
    switch (code) {
      case kEqLowShelf6:
        BandColumns(
            b,
            [&](int j) {
              const float x = f[j] * invF0;
              return x * x;
            },
            out.data());
        break;
      case kEqLowShelf12:
        BandColumns(
            b,
            [&](int j) {
              const float x = f[j] * invF0;
              return x * x * (x * x);
            },
            out.data());
        break;
      case kEqHighShelf6:
        BandColumns(
            b,
            [&](int j) {
              const float x = f0 * invF[j];
              return x * x;
            },
            out.data());
        break;
      default:
        BandColumns(
            b,
            [&](int j) {
              const float x = f0 * invF[j];
              return x * x * (x * x);
            },
            out.data());
        break;
    }
  }
  std::copy_n(out.begin(), kGraphColumns, db.begin());
}

namespace {

// Crossover magnitudes are 1 / sqrt(product of the sections' squared denominators). The product
// is kept in double: forty-eight dB/Oct on both sides can exceed the float range by far.
//
// Multiplies den by the sections that share one corner, all in one pass over the columns:
// 1 + t for a first-order section, (1 - t)^2 + d^2 t for a second-order one, t = ratio^2.
template <int kFirst, int kSecond>
void CornerColumns(double k, const double* __restrict ratio, const double* dd,
                   double* __restrict den) {
  for (int j = 0; j < kPadded; ++j) {
    const double r = k * ratio[j];
    const double t = r * r;
    const double a = (1.0 - t) * (1.0 - t);
    double p = 1.0;
    for (int i = 0; i < kFirst; ++i) p *= 1.0 + t;
    for (int i = 0; i < kSecond; ++i) p *= a + dd[i] * t;
    den[j] *= p;
  }
}

// 1 / sqrt(x) for a positive normal double: an estimate from the bits and four Newton steps, which
// take its relative error from 3.5 % to the rounding of the last step.
inline double InvSqrt(double x) {
  double y = std::bit_cast<double>(0x5FE6EB50C7B537A9ull - (std::bit_cast<uint64_t>(x) >> 1));
  for (int i = 0; i < 4; ++i) y *= 1.5 - 0.5 * x * y * y;
  return y;
}

// One group of consecutive sections at the same corner.
void MultiplyCorner(double corner, bool highPass, std::span<const FilterSection> group,
                    double* den) {
  const Axis<double>& axis = ColumnAxis<double>();
  // f/fc for a low-pass, fc/f for a high-pass.
  const double* ratio = highPass ? axis.invF.data() : axis.f.data();
  const double k = highPass ? corner : 1.0 / corner;
  int first = 0, second = 0;
  double dd[4];
  for (const FilterSection& s : group) {
    if (s.firstOrder) {
      ++first;
    } else if (second < 4) {
      dd[second++] = static_cast<double>(s.damping) * s.damping;
    }
  }
  switch (first * 8 + second) {
    case 8:
      CornerColumns<1, 0>(k, ratio, dd, den);
      break;
    case 16:
      CornerColumns<2, 0>(k, ratio, dd, den);
      break;
    case 1:
      CornerColumns<0, 1>(k, ratio, dd, den);
      break;
    case 9:
      CornerColumns<1, 1>(k, ratio, dd, den);
      break;
    case 2:
      CornerColumns<0, 2>(k, ratio, dd, den);
      break;
    case 4:
      CornerColumns<0, 4>(k, ratio, dd, den);
      break;
    default:  // no filter type has another mix; one section at a time
      for (const FilterSection& s : group) {
        const double d = s.firstOrder ? 0.0 : static_cast<double>(s.damping) * s.damping;
        if (s.firstOrder)
          CornerColumns<1, 0>(k, ratio, &d, den);
        else
          CornerColumns<0, 1>(k, ratio, &d, den);
      }
      break;
  }
}

}  // namespace

// The same sections as XOverFilterMag, so both paths share one set of dampings and factors.
void XOverMagColumns(int lpType, float lpFc, int hpType, float hpFc, ColumnCurve& mag) {
  alignas(16) Padded<double> den;
  den.fill(1.0);
  for (const bool hp : {true, false}) {
    const float fc = hp ? hpFc : lpFc;
    const std::span<const FilterSection> sections = XOverSections(hp ? hpType : lpType, hp);
    for (size_t i = 0; i < sections.size();) {
      size_t end = i + 1;
      while (end < sections.size() && sections[end].cornerFactor == sections[i].cornerFactor) ++end;
      const float corner = sections[i].cornerFactor * fc;
      MultiplyCorner(corner, hp, sections.subspan(i, end - i), den.data());
      i = end;
    }
  }
  alignas(16) Padded<float> out;
  for (int j = 0; j < kPadded; ++j) out[j] = static_cast<float>(InvSqrt(den[j]));
  std::copy_n(out.begin(), kGraphColumns, mag.begin());
}

}  // namespace korvan
