#pragma once
// One parameter of the unit: a step index 0..maxStep with its attributes, pending actions and links.

#include <cstdint>

namespace korvan {

class BRWin;  // the window-control binding showing a control (lives in the Qt program)

// Attribute flags (low byte of MCtrl::flags).
inline constexpr int MC_UNLINKED = 0x02;
inline constexpr int MC_KEEP = 0x04;
inline constexpr int MC_SEND = 0x08;
inline constexpr int MC_STORED = 0x10;
inline constexpr int MC_ENABLED = 0x20;
inline constexpr int MC_RING = 0x40;

// Pending notification bits (second byte of MCtrl::flags).
inline constexpr int DO_HANDLER = 0x100;
inline constexpr int DO_PARTNERS = 0x400;
inline constexpr int DO_RING = 0x800;
inline constexpr int DO_DISPLAY = 0x1000;
inline constexpr int DO_SEND = 0x2000;
// The bits that put a control into the change queue (all but DO_SEND).
inline constexpr int DO_QUEUED = DO_HANDLER | DO_PARTNERS | DO_RING | DO_DISPLAY;

// The notification masks the model uses.
inline constexpr int NOTIFY_FULL = 0x3D00;         // handler, partners, ring, display, send
inline constexpr int NOTIFY_CORRECTION = 0x3C00;   // inside a change rule: the rule is not re-run
inline constexpr int NOTIFY_FROM_PARTNER = 0x3900; // no further partner propagation
inline constexpr int NOTIFY_LOCAL = 0x3100;        // no partners, no rings
inline constexpr int NOTIFY_USER_EDIT = 0x2D00;    // the window control already shows the value
inline constexpr int NOTIFY_RECEIVED = 0x1D00;     // from the unit: never echoed
inline constexpr int NOTIFY_FROM_IMAGE = 0x1100;
inline constexpr int NOTIFY_REDISPLAY = 0x1000;

// The change rule a control runs when its DO_HANDLER action is carried out.
enum class ChangeRule : uint8_t {
  None,
  SelectModule,
  OutStereoLinkChanged,
  InStereoLinkChanged,
  LinkDelays,
  LinkCrossovers,
  EqOnRule,
  EqBandSelectRule,
};

const char* ChangeRuleName(ChangeRule rule);

struct MCtrl {
  int32_t modix = 0;
  int32_t mcix = 0;
  int32_t maxStep = 0;
  int32_t value = 0;
  int32_t previousValue = 0;
  int32_t defaultValue = 0;
  int32_t resetValue = 0;
  ChangeRule onChange = ChangeRule::None;
  BRWin* binding = nullptr;
  MCtrl* partners[3] = {nullptr, nullptr, nullptr};
  MCtrl* ringNext = nullptr;
  int32_t ringBase = 0;
  MCtrl* nextChanged = nullptr;
  MCtrl* nextToSend = nullptr;
  int32_t flags = 0;
  int32_t group = 0;

  bool Has(int flag) const { return (flags & flag) != 0; }
  bool Enabled() const { return Has(MC_ENABLED); }
  bool Stored() const { return Has(MC_STORED); }
  int Clamp(int v) const { return v < 0 ? 0 : (v > maxStep ? maxStep : v); }
};

// Configures a control from its catalogue entry.
void Configure(MCtrl& c, ChangeRule onChange, int flags, int steps, int defaultValue, int group);

}  // namespace korvan
