#pragma once
// The unit side of the protocol: every frame from the editor goes to the units it addresses.
// Each command has its own handler; commands not handled yet are ignored, as a unit ignores
// what it does not know.

#include <cstdint>
#include <span>
#include <vector>

#include "sim/sim_line.h"
#include "sim/sim_transfer.h"
#include "sim/sim_unit.h"

namespace korvan::sim {

class UnitDispatcher {
 public:
  UnitDispatcher(SimLine& line, std::vector<SimUnit>& units) : line_(line), units_(units) {}

  void OnFrame(std::span<const uint8_t> frame);
  // Block and file frames go to the transfer side (none: they are ignored).
  void SetTransfer(SimTransfer* transfer) { transfer_ = transfer; }

 private:
  void OnSearch();
  void OnSetDeviceId(SimUnit& unit, std::span<const uint8_t> frame);
  void OnSetName(SimUnit& unit, std::span<const uint8_t> frame);

  SimLine& line_;
  std::vector<SimUnit>& units_;
  SimTransfer* transfer_ = nullptr;
};

}  // namespace korvan::sim
