#pragma once
// Magnitude responses of the crossover filters. All return the linear magnitude (1.0 = 0 dB) at
// frequency f for a corner fc (Hz); highPass false means low-pass.

#include <span>

namespace korvan {

// Crossover filter types, the item order of the HPType/LPType lists.
enum XOverType : int {
  kXOverOff = 0,
  kBut6 = 1,
  kBut12 = 2,
  kBes12 = 3,
  kLR12 = 4,
  kBut18 = 5,
  kBut24 = 6,
  kBes24 = 7,
  kLR24 = 8,
  kBut48 = 9,
  kLR48 = 10,
};
inline constexpr int kXOverTypes = 11;

// One section of a crossover filter, evaluated at cornerFactor times the filter's corner.
struct FilterSection {
  bool firstOrder;
  float damping;  // second order only
  float cornerFactor;
};

// The sections of a filter type in the order they are multiplied; empty for "Off" and for any
// type outside 0..10.
std::span<const FilterSection> XOverSections(int type, bool highPass);

// One first-order Butterworth section.
float FirstOrderMag(float fc, bool highPass, float f);
// One second-order section with damping d (1/Q of the section).
float SecondOrderMag(float fc, bool highPass, float d, float f);
// A whole filter of type 0..10 as the product of its sections; any other type is flat (1.0).
float XOverFilterMag(int type, float fc, bool highPass, float f);
// One output's crossover: its high-pass times its low-pass.
float XOverMag(int lpType, float lpFc, int hpType, float hpFc, float f);

}  // namespace korvan
