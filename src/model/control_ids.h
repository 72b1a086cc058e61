#pragma once
// Control indices (mcix) by what they are.

namespace korvan::mc {

inline constexpr int Select = 1;  // control 1 of every module

// Setup module (modix 0).
inline constexpr int Summer = 2;
inline constexpr int ABSource = 3;
inline constexpr int Setup4 = 4;
inline constexpr int OpMode = 5;
inline constexpr int OutStereoLink = 6;
inline constexpr int InStereoLink = 7;
inline constexpr int DelayLink = 8;   // "Stack Link"
inline constexpr int XOverLink = 9;   // crossover "Link"
inline constexpr int TempCorrection = 10;
inline constexpr int Temperature = 11;
inline constexpr int Setup16 = 16;
inline constexpr int Setup17 = 17;
inline constexpr int Setup18 = 18;
inline constexpr int Setup19 = 19;
inline constexpr int DelayUnit = 20;
inline constexpr int MuteOutsAtPowerOn = 21;
inline constexpr int SumGainA = 22;
inline constexpr int SumGainB = 23;
inline constexpr int SumGainC = 24;
inline constexpr int Setup25 = 25;

// Inputs and outputs (modix 1..10).
inline constexpr int Level = 2;
inline constexpr int Mute = 3;
inline constexpr int DelayOn = 4;
inline constexpr int LongDelay = 5;
inline constexpr int EqOn = 6;
inline constexpr int EqBandsShown = 7;  // number of bands shown minus one
inline constexpr int EqSelectedBand = 8;
inline constexpr int DynAttack = 9;
inline constexpr int DynRelease = 10;
inline constexpr int DynRatio = 11;
inline constexpr int DynThreshold = 12;
inline constexpr int DynEqOn = 13;
inline constexpr int DynEqFreq = 14;
inline constexpr int DynEqQ = 15;
inline constexpr int DynEqGain = 16;
inline constexpr int DynEqKind = 17;
inline constexpr int DynEqSlope = 18;
inline constexpr int kEqBands = 9;
constexpr int EqFreq(int band) { return 19 + 5 * band; }
constexpr int EqQ(int band) { return 20 + 5 * band; }
constexpr int EqGain(int band) { return 21 + 5 * band; }
constexpr int EqKind(int band) { return 22 + 5 * band; }
constexpr int EqSlope(int band) { return 23 + 5 * band; }

// Outputs only (modix 5..10).
inline constexpr int BandName = 64;
inline constexpr int Routing = 65;
inline constexpr int HPType = 66;
inline constexpr int HPFreq = 67;
inline constexpr int LPType = 68;
inline constexpr int LPFreq = 69;
inline constexpr int LimitOn = 70;
inline constexpr int LimitThreshold = 71;
inline constexpr int LimitRelease = 72;
inline constexpr int InvPolarity = 73;
inline constexpr int Phase = 74;
inline constexpr int ShortDelay = 75;

inline constexpr int kZeroDbGain = 150;  // gain step of 0 dB

}  // namespace korvan::mc
