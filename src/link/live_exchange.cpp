#include "link/live_exchange.h"

#include <array>
#include <cstring>

#include "link/sysex.h"

namespace korvan {

bool LiveExchange::QueueForSend(MCtrl& c) {
  if (!(remoteMode_ & kRemoteLinked)) return false;
  if (!c.Enabled() || !c.Has(MC_SEND) || c.maxStep == 0) return false;
  queue_.Append(c);
  return true;
}

void LiveExchange::SendPendingChanges() {
  std::array<uint8_t, 1024> entries;
  int count = 0;
  while (count < kMaxChangeEntries) {
    MCtrl* c = queue_.TakeFront();
    if (!c) break;
    c->flags &= ~DO_SEND;
    if (!(remoteMode_ & kRemoteLinked) || c->modix >= kModuleCount) continue;
    const auto e = Model::EncodeChange(c->modix, c->mcix, c->value);
    std::memcpy(entries.data() + 4 * count, e.data(), e.size());
    ++count;
  }
  if (count == 0) return;
  const size_t size = 9 + 4 * static_cast<size_t>(count);
  uint8_t* f = port_.PrepareFrame(size);
  const Frame header = MakeParamChanges(sender_.Device(), {});
  std::memcpy(f, header.data(), 7);
  f[7] = static_cast<uint8_t>(count);
  std::memcpy(f + 8, entries.data(), 4 * static_cast<size_t>(count));
  f[size - 1] = SYSEX_END;
  // A closed port loses the frame; the controls are not queued again.
  port_.SendPreparedFrame();
}

void LiveExchange::OnParamChangesFrame(std::span<const uint8_t> frame) {
  if (frame.size() < 9) return;  // no count byte, or no room for an entry
  const int count = frame[7];
  const int bytes = static_cast<int>(frame.size()) - 9;
  log_.Print("p %d, b %d", count, bytes);
  if (4 * count != bytes) return;
  ApplyReceivedChanges(count, frame.subspan(8, static_cast<size_t>(bytes)));
}

void LiveExchange::ApplyReceivedChanges(int count, std::span<const uint8_t> entries) {
  for (int i = 0; i < count && 4 * static_cast<size_t>(i) + 4 <= entries.size(); ++i) {
    const ParamChange ch =
        Model::DecodeChange(entries.subspan(4 * static_cast<size_t>(i)).first<4>());
    // Taken values are notified without DO_SEND, so the unit never gets its own change back;
    // what the model derives from them (link partners, rules) is queued as usual.
    if (!model_.ApplyReceivedEntry(ch.modix, ch.mcix, ch.value)) continue;
    log_.Print("modix %d, mcix %d, v %d", ch.modix, ch.mcix, ch.value);
    if (onChange_) onChange_(ch);
  }
}

}  // namespace korvan
