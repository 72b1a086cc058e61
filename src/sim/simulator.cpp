#include "sim/simulator.h"

#include <charconv>
#include <cstdio>

namespace korvan::sim {
namespace {

bool ToInt(std::string_view text, int lo, int hi, int& v) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && v >= lo &&
         v <= hi;
}

}  // namespace

bool ParseLock(const std::string& text, int& bits) {
  if (text == "page")
    bits = 1;
  else if (text == "global")
    bits = 2;
  else
    return false;
  return true;
}

bool ParseError(const std::string& text, UnitState::Error& error) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return false;
  const std::string_view t(text);
  return ToInt(t.substr(0, colon), 1, 127, error.type) &&
         ToInt(t.substr(colon + 1), 0, 127, error.operation);
}

bool ParsePanel(const std::string& text, SimOptions::Panel& p) {
  const auto colon = text.find(':'), eq = text.find('='), at = text.find('@');
  if (colon == std::string::npos || eq == std::string::npos || at == std::string::npos ||
      !(colon < eq && eq < at))
    return false;
  const std::string_view t(text);
  return ToInt(t.substr(0, colon), 0, 11, p.modix) &&
         ToInt(t.substr(colon + 1, eq - colon - 1), 1, 127, p.mcix) &&
         ToInt(t.substr(eq + 1, at - eq - 1), 0, 16383, p.step) &&
         ToInt(t.substr(at + 1), 0, 24 * 3600 * 1000, p.ms);
}

Simulator::Simulator(SimOptions options)
    : options_(std::move(options)),
      line_(loop_, options_.baud),
      dispatcher_(line_, options_.units, states_, loop_, options_.trace ? stderr : nullptr),
      transfer_(line_, options_.stateDir, options_.faults),
      reader_([this](std::span<const uint8_t> frame) { dispatcher_.OnFrame(frame); }) {
  for (size_t i = 0; i < options_.units.size(); ++i)
    options_.units[i].replyDelayMs = kFirstReplyMs + kReplySpacingMs * static_cast<int>(i);
  for (size_t i = 0; i < options_.units.size(); ++i) {
    auto state = std::make_unique<UnitState>();
    state->lockBits = options_.lockBits;
    state->pendingError = options_.error;
    states_.push_back(std::move(state));
  }
  for (size_t i = 0; i < options_.units.size(); ++i)
    transfer_.AddUnit(options_.units[i], states_[i].get());
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
  for (const SimOptions::Panel& p : options_.panel) {
    auto timer = loop_.CreateTimer(
        TimerKind::OneShot, [this, p] { dispatcher_.PanelChange(0, p.modix, p.mcix, p.step); });
    timer->Start(p.ms);
    panelTimers_.push_back(std::move(timer));
  }
  loop_.Run();
  transfer_.SaveChangedCurrentSets();  // parameter changes reach the state folder on exit
}

}  // namespace korvan::sim
