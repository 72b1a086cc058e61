#pragma once
// What a simulated unit holds and shows: its own copy of every parameter, the lock it reports,
// an error to report once, and a status report whose meters move like a real signal through
// the unit's gains, mutes and limiters.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "model/model.h"

namespace korvan::sim {

class UnitState {
 public:
  UnitState();

  // Stores a parameter change (clamped to the control's range); false when there is no such
  // control.
  bool SetParam(int modix, int mcix, int value);
  int Param(int modix, int mcix) const;

  // The stored controls as the words of a parameter image (OutputConfiguration first, then the
  // modules' stored controls in order): taken from a received set, given to a served one.
  void LoadImage(std::span<const uint16_t> words);
  void StoreImage(std::span<uint16_t> words) const;
  int ImageWords() const { return params_->ImageWordCount(); }

  // The 16 report bytes at nowMs for the selectors of a status request (0 = none, 2.. = which).
  std::array<uint8_t, 16> Report(int64_t nowMs, int dynByte, int limByte);

  int lockBits = 0;  // bit 0 page lock, bit 1 global lock
  struct Error {
    int type, operation;
  };
  std::optional<Error> pendingError;  // sent with the next report, then dropped

 private:
  int OutputLevel(int output, int64_t nowMs, bool& limited, int& reduction) const;
  int InputLevel(int input, int64_t nowMs) const;

  // The parameters as the unit keeps them. The core's model serves as the store only; it has
  // no host, so nothing in it is queued, shown or sent.
  std::unique_ptr<Model> params_;
};

}  // namespace korvan::sim
