#pragma once
// A module: one of the twelve groups of controls (setup, four inputs, six outputs, misc).

#include <cstdint>
#include <vector>

#include "model/mctrl.h"

namespace korvan {

inline constexpr int kModuleCount = 12;
inline constexpr int kSetupModix = 0;
inline constexpr int kFirstInputModix = 1;   // inputs A, B, C, Sum: 1..4
inline constexpr int kSumInputModix = 4;
inline constexpr int kFirstOutputModix = 5;  // outputs 1..6: 5..10
inline constexpr int kMiscModix = 11;
inline constexpr int kInputCount = 4;
inline constexpr int kOutputCount = 6;

enum ModuleKind : int32_t { kKindSetup = 0, kKindInput = 1, kKindOutput = 2, kKindMisc = 3 };

class Modul {
 public:
  virtual ~Modul() = default;
  Modul(const Modul&) = delete;
  Modul& operator=(const Modul&) = delete;

  int32_t modix;
  int32_t kindIndex;
  int32_t moduleKind;
  int32_t controlCount;
  // Sized once by the constructor and never resized: controls refer to each other by address.
  std::vector<MCtrl> controls;
  int32_t selectState = 0;
  int32_t storedCount = 0;
  int32_t partnerIds[3] = {-1, -1, -1};
  int32_t reservedWord = 0;

  MCtrl& Ctrl(int mcix) { return controls[mcix]; }
  const MCtrl& Ctrl(int mcix) const { return controls[mcix]; }
  bool IsChannel() const { return moduleKind == kKindInput || moduleKind == kKindOutput; }

 protected:
  Modul(int modix, int kindIndex, int moduleKind, int controlCount);
  void CountStored();
};

class MSetup : public Modul {
 public:
  MSetup();
};

class MInOut : public Modul {
 protected:
  MInOut(int modix, int kindIndex, int moduleKind, int controlCount);
};

class MIn : public MInOut {
 public:
  explicit MIn(int kindIndex);
};

class MOut : public MInOut {
 public:
  explicit MOut(int kindIndex);
};

class MDiv : public Modul {
 public:
  MDiv();
};

}  // namespace korvan
