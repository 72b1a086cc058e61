#include "graphs/filter_response.h"

#include <array>
#include <cmath>
#include <vector>

namespace korvan {
namespace {

struct SectionTables {
  // Index: type, then 0 low-pass, 1 high-pass.
  std::array<std::array<std::vector<FilterSection>, 2>, kXOverTypes> byType;
};

const SectionTables& Tables() {
  static const SectionTables tables = [] {
    // Dampings 2*cos(angle), from the angle literals the unit's filters are designed with.
    const auto twoCos = [](double angle) { return static_cast<float>(2.0 * std::cos(angle)); };
    const float sqrt2 = static_cast<float>(std::sqrt(2.0));
    const float sqrt3 = static_cast<float>(std::sqrt(3.0));
    const float but18 = twoCos(1.04719755);
    const float but24a = twoCos(0.39269908125);
    const float but24b = twoCos(1.17809724375);
    const auto first = [] { return FilterSection{true, 0.0f, 1.0f}; };
    const auto second = [](float d, float factor = 1.0f) {
      return FilterSection{false, d, factor};
    };
    // Fourth-order Bessel: two sections at shifted corners; the high-pass swaps the dampings.
    constexpr float kUpper = 1.0588175f, kLower = 0.9444498f;
    constexpr float kDampA = 1.241406f, kDampB = 1.9159489f;

    SectionTables t;
    const auto both = [&t](int type, std::vector<FilterSection> s) {
      t.byType[type][0] = s;
      t.byType[type][1] = std::move(s);
    };
    both(kBut6, {first()});
    both(kBut12, {second(sqrt2)});
    both(kBes12, {second(sqrt3)});
    both(kLR12, {first(), first()});
    both(kBut18, {first(), second(but18)});
    both(kBut24, {second(but24a), second(but24b)});
    t.byType[kBes24][0] = {second(kDampA, kUpper), second(kDampB, kLower)};
    t.byType[kBes24][1] = {second(kDampB, kUpper), second(kDampA, kLower)};
    both(kLR24, {second(sqrt2), second(sqrt2)});
    std::vector<FilterSection> but48;
    for (int k = 0; k < 4; ++k) but48.push_back(second(twoCos((2 * k + 1) * 3.14159265 * 0.0625)));
    both(kBut48, but48);
    both(kLR48, {second(but24a), second(but24b), second(but24a), second(but24b)});
    return t;
  }();
  return tables;
}

double Ratio(float fc, bool highPass, float f) {
  return highPass ? static_cast<double>(fc) / f : static_cast<double>(f) / fc;
}

}  // namespace

std::span<const FilterSection> XOverSections(int type, bool highPass) {
  if (type < 0 || type >= kXOverTypes) return {};
  return Tables().byType[type][highPass ? 1 : 0];
}

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
  for (const FilterSection& s : XOverSections(type, highPass)) {
    const float corner = s.cornerFactor * fc;
    m *= s.firstOrder ? FirstOrderMag(corner, highPass, f)
                      : SecondOrderMag(corner, highPass, s.damping, f);
  }
  return m;
}

float XOverMag(int lpType, float lpFc, int hpType, float hpFc, float f) {
  return XOverFilterMag(hpType, hpFc, true, f) * XOverFilterMag(lpType, lpFc, false, f);
}

}  // namespace korvan
