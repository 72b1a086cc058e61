#include "sim/simulator.h"

namespace korvan::sim {

Simulator::Simulator(SimOptions options)
    : options_(std::move(options)),
      line_(loop_, options_.baud),
      dispatcher_(line_, options_.units),
      transfer_(line_, options_.stateDir, options_.faults),
      reader_([this](std::span<const uint8_t> frame) { dispatcher_.OnFrame(frame); }) {
  for (size_t i = 0; i < options_.units.size(); ++i)
    options_.units[i].replyDelayMs = kFirstReplyMs + kReplySpacingMs * static_cast<int>(i);
  for (const SimUnit& unit : options_.units) transfer_.AddUnit(unit);
  dispatcher_.SetTransfer(&transfer_);
  stopTimer_ = loop_.CreateTimer(TimerKind::OneShot, [this] { Stop(); });
}

bool Simulator::Open(std::string& path, std::string& error) {
  if (options_.device.empty()) return line_.OpenPty(path, error);
  path = options_.device;
  return line_.OpenDevice(options_.device, error);
}

void Simulator::Run() {
  line_.Start(
      [this](std::span<const uint8_t> bytes) {
        if (options_.echo) line_.Send(bytes);
        reader_.Feed(bytes);
      },
      [this] { Stop(); });
  if (options_.seconds > 0) stopTimer_->Start(static_cast<int>(options_.seconds * 1000));
  loop_.Run();
}

}  // namespace korvan::sim
