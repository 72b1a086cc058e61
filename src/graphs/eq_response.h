#pragma once
// Magnitude response of one EQ band (linear, 1.0 = 0 dB). The band formula is chosen by a
// response code continuing the crossover type numbering.

namespace korvan {

enum EqResponse : int {
  kEqParametric = 11,
  kEqLowShelf6 = 12,
  kEqLowShelf12 = 13,
  kEqHighShelf6 = 14,
  kEqHighShelf12 = 15,
};

// Kind 0 low shelving, 1 parametric, 2 high shelving; slope 0 = 6 dB/Oct, 1 = 12 dB/Oct (shelving
// only). Both are clamped to their ranges.
int EqResponseCode(int kind, int slope);

// Linear magnitude at f of a band at f0 with the given Q and gain; any code outside 11..15 is
// flat (1.0).
float EqBandMag(int code, float f, float f0, float q, float gainDb);

}  // namespace korvan
