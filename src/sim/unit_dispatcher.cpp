#include "sim/unit_dispatcher.h"

#include "link/sysex.h"

namespace korvan::sim {

void UnitDispatcher::OnFrame(std::span<const uint8_t> frame) {
  if (!IsKorvanFrame(frame)) return;
  const uint8_t cmd = frame[kCommandOffset];
  if (cmd == SYSEX_SEARCH) {
    OnSearch();
    return;
  }
  const int dev = frame[kDeviceOffset];
  for (SimUnit& unit : units_) {
    if (unit.deviceNumber != dev) continue;
    switch (cmd) {
      case SYSEX_SET_DEVICE_ID:
        OnSetDeviceId(unit, frame);
        break;
      case SYSEX_SET_NAME:
        OnSetName(unit, frame);
        break;
      default:
        if (transfer_) transfer_->OnFrame(unit, frame);
        break;
    }
    // One unit per device number answers; a renumbered unit must not be matched again.
    return;
  }
}

void UnitDispatcher::OnSearch() {
  for (const SimUnit& unit : units_)
    line_.SendAfter(unit.replyDelayMs,
                    MakeIdentity(DeviceByte(unit.deviceNumber), unit.major, unit.minor, unit.name));
}

void UnitDispatcher::OnSetDeviceId(SimUnit& unit, std::span<const uint8_t> frame) {
  if (frame.size() != 9) return;
  unit.deviceNumber = frame[7] & 0x0F;
}

void UnitDispatcher::OnSetName(SimUnit& unit, std::span<const uint8_t> frame) {
  if (frame.size() != 24) return;
  unit.name.assign(frame.begin() + kBodyOffset, frame.begin() + kBodyOffset + kNameLength);
}

}  // namespace korvan::sim
