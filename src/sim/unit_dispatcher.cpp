#include "sim/unit_dispatcher.h"

#include "link/sysex.h"

#include <array>

namespace korvan::sim {

void UnitDispatcher::OnFrame(std::span<const uint8_t> frame) {
  if (!IsKorvanFrame(frame)) return;
  const uint8_t cmd = frame[kCommandOffset];
  if (cmd == SYSEX_SEARCH) {
    OnSearch();
    return;
  }
  const int dev = frame[kDeviceOffset];
  for (size_t i = 0; i < units_.size(); ++i) {
    SimUnit& unit = units_[i];
    if (unit.deviceNumber != dev) continue;
    switch (cmd) {
      case SYSEX_STATUS_REQUEST:
        OnStatusRequest(unit, *states_[i], frame);
        break;
      case SYSEX_PARAM_CHANGES:
        OnParamChanges(*states_[i], frame);
        break;
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

void UnitDispatcher::OnStatusRequest(SimUnit& unit, UnitState& state,
                                     std::span<const uint8_t> frame) {
  if (frame.size() != 10) return;
  if (startMs_ < 0) startMs_ = loop_.NowMs();
  const auto report = state.Report(loop_.NowMs() - startMs_, frame[7], frame[8]);
  line_.Send(MakeStatus(DeviceByte(unit.deviceNumber), report));
}

void UnitDispatcher::OnParamChanges(UnitState& state, std::span<const uint8_t> frame) {
  if (frame.size() < 9 || 4 * static_cast<size_t>(frame[7]) != frame.size() - 9) return;
  const int count = frame[7];
  if (trace_) std::fprintf(trace_, "changes\t%d\n", count);
  for (int i = 0; i < count; ++i) {
    const auto e = frame.subspan(8 + 4 * static_cast<size_t>(i)).first<4>();
    const int modix = e[0], mcix = e[1], value = Join14(e[2], e[3]);
    // A locked unit takes no changes from outside.
    const bool taken = state.lockBits == 0 && state.SetParam(modix, mcix, value);
    if (trace_)
      std::fprintf(trace_, "change\t%d\t%d\t%d%s\n", modix, mcix, value, taken ? "" : "\trefused");
  }
  if (trace_) std::fflush(trace_);
}

void UnitDispatcher::PanelChange(size_t index, int modix, int mcix, int value) {
  if (index >= units_.size() || !states_[index]->SetParam(modix, mcix, value)) return;
  const int stored = states_[index]->Param(modix, mcix);
  const auto entry = std::array<uint8_t, 4>{static_cast<uint8_t>(modix), static_cast<uint8_t>(mcix),
                                            Hi7(stored), Lo7(stored)};
  line_.Send(MakeParamChanges(DeviceByte(units_[index].deviceNumber), entry));
  if (trace_) {
    std::fprintf(trace_, "panel\t%d\t%d\t%d\n", modix, mcix, stored);
    std::fflush(trace_);
  }
}

}  // namespace korvan::sim
