#include "sim/unit_state.h"

#include <algorithm>
#include <cmath>

#include "model/control_ids.h"
#include "model/processing_estimate.h"

namespace korvan::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A programme-like envelope in 0..1: two slow waves of their own period per channel.
double Envelope(int channel, int64_t nowMs) {
  const double t = static_cast<double>(nowMs) / 1000.0;
  const double a = std::sin(2 * kPi * t / (1.7 + 0.31 * channel) + channel);
  const double b = std::sin(2 * kPi * t / (0.45 + 0.07 * channel) + 2.0 * channel);
  return std::clamp(0.55 + 0.3 * a + 0.15 * b, 0.0, 1.0);
}

// Gain steps 0..300 with 150 at 0 dB; one meter step is taken as 6 dB.
double GainSteps(int step) {
  return (step - mc::kZeroDbGain) / 60.0;
}

}  // namespace

UnitState::UnitState() : params_(std::make_unique<Model>()) {}

bool UnitState::SetParam(int modix, int mcix, int value) {
  MCtrl* c = params_->Find(modix, mcix);
  if (!c || mcix == 0) return false;
  c->value = c->Clamp(value);
  return true;
}

int UnitState::Param(int modix, int mcix) const {
  return params_->Ctrl(modix, mcix).value;
}

void UnitState::LoadImage(std::span<const uint16_t> words) {
  if (words.size() < static_cast<size_t>(1 + params_->StoredWordCount())) return;
  size_t w = 0;
  params_->OutputConfiguration = std::min<int>(words[w++], 3);
  for (int m = 0; m < kModuleCount; ++m)
    for (MCtrl& c : params_->Module(m).controls)
      if (c.Stored()) c.value = c.Clamp(words[w++]);
}

void UnitState::StoreImage(std::span<uint16_t> words) const {
  if (words.size() < static_cast<size_t>(1 + params_->StoredWordCount())) return;
  size_t w = 0;
  words[w++] = static_cast<uint16_t>(params_->OutputConfiguration);
  for (int m = 0; m < kModuleCount; ++m)
    for (const MCtrl& c : params_->Module(m).controls)
      if (c.Stored()) words[w++] = static_cast<uint16_t>(c.value);
}

int UnitState::InputLevel(int input, int64_t nowMs) const {
  const int modix = kFirstInputModix + input;
  if (Param(modix, mc::Mute)) return 0;
  const double level = 7.0 * Envelope(input, nowMs) + GainSteps(Param(modix, mc::Level));
  return std::clamp(static_cast<int>(level), 0, 7);
}

int UnitState::OutputLevel(int output, int64_t nowMs, bool& limited, int& reduction) const {
  const int modix = kFirstOutputModix + output;
  limited = false;
  reduction = 0;
  if (Param(modix, mc::Mute)) return 0;
  // Outputs carry input A's programme through their own gain.
  double level = 6.5 * Envelope(0, nowMs) + 0.6 * Envelope(3 + output, nowMs) - 0.3 +
                 GainSteps(Param(modix, mc::Level));
  if (level > 6.0) {
    limited = Param(modix, mc::LimitOn) != 0;
    reduction = static_cast<int>((level - 6.0) * 10.0);
    level = 6.0;
  }
  return std::clamp(static_cast<int>(level), 0, 6);
}

std::array<uint8_t, 16> UnitState::Report(int64_t nowMs, int dynByte, int limByte) {
  std::array<uint8_t, 16> r{};
  for (int k = 0; k < 3; ++k) r[k] = static_cast<uint8_t>(InputLevel(k, nowMs));
  std::array<int, 6> reduction{};
  for (int k = 0; k < 6; ++k) {
    bool limited = false;
    const int level = OutputLevel(k, nowMs, limited, reduction[k]);
    r[3 + k] = static_cast<uint8_t>(level | (limited ? 0x20 : 0));
  }
  if (dynByte >= 2 && dynByte <= 11) {
    // The chosen channel's compressor: level, and gain under 17 while it works.
    const int channel = dynByte - 2;
    const int level = static_cast<int>(16.0 * Envelope(channel, nowMs));
    r[9] = static_cast<uint8_t>(level);
    r[10] = static_cast<uint8_t>(level > 10 ? 17 - (level - 10) : 17);
  }
  if (limByte >= 2 && limByte <= 7) {
    bool limited = false;
    const int level = OutputLevel(limByte - 2, nowMs, limited, reduction[limByte - 2]);
    r[11] = static_cast<uint8_t>(level * 2);
    r[12] = static_cast<uint8_t>(std::min(reduction[limByte - 2], 20));
  }
  const double p = static_cast<double>(ProcessingEstimate(*params_));
  r[13] = static_cast<uint8_t>(std::clamp(56 - static_cast<int>(p + 4.5), 0, 100));
  if (pendingError) {
    r[14] = static_cast<uint8_t>(pendingError->type & 0x7F);
    r[15] = static_cast<uint8_t>(pendingError->operation & 0x7F);
    pendingError.reset();
  } else {
    r[15] = static_cast<uint8_t>(lockBits & 0x03);
  }
  return r;
}

}  // namespace korvan::sim
