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
struct Sections {
  Padded<double> den;

  void Ratio(double fc, bool highPass, Padded<double>& t) const {
    const Axis<double>& axis = ColumnAxis<double>();
    const double* __restrict src = highPass ? axis.invF.data() : axis.f.data();
    const double k = highPass ? fc : 1.0 / fc;
    for (int j = 0; j < kPadded; ++j) {
      const double r = k * src[j];
      t[j] = r * r;
    }
  }
  void First(const Padded<double>& t) {
    double* __restrict d = den.data();
    for (int j = 0; j < kPadded; ++j) d[j] *= 1.0 + t[j];
  }
  void Second(const Padded<double>& t, double damping) {
    const double dd = damping * damping;
    double* __restrict d = den.data();
    for (int j = 0; j < kPadded; ++j) d[j] *= (1.0 - t[j]) * (1.0 - t[j]) + dd * t[j];
  }
};

}  // namespace

// The same sections as XOverFilterMag, so both paths share one set of dampings and factors.
void XOverMagColumns(int lpType, float lpFc, int hpType, float hpFc, ColumnCurve& mag) {
  Sections s;
  s.den.fill(1.0);
  alignas(16) Padded<double> t;
  for (const bool hp : {true, false}) {
    const int type = hp ? hpType : lpType;
    const double fc = hp ? hpFc : lpFc;
    const std::span<const FilterSection> sections = XOverSections(type, hp);
    double lastFactor = 0.0;
    for (const FilterSection& sec : sections) {
      if (sec.cornerFactor != lastFactor) {
        s.Ratio(static_cast<float>(sec.cornerFactor * fc), hp, t);
        lastFactor = sec.cornerFactor;
      }
      if (sec.firstOrder)
        s.First(t);
      else
        s.Second(t, sec.damping);
    }
  }
  for (int j = 0; j < kGraphColumns; ++j) mag[j] = static_cast<float>(1.0 / std::sqrt(s.den[j]));
}

}  // namespace korvan
