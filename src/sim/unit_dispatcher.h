#pragma once
// The unit side of the protocol: every frame from the editor goes to the units it addresses.
// Each command has its own handler; commands not handled yet are ignored, as a unit ignores
// what it does not know.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <vector>

#include "sim/sim_line.h"
#include "sim/sim_transfer.h"
#include "sim/sim_unit.h"
#include "sim/unit_state.h"

namespace korvan::sim {

class UnitDispatcher {
 public:
  // states: one per unit, same order. trace: where to write one line per parameter change
  // received or sent ("changes N", then "change MODIX MCIX VALUE" per entry); null for none.
  UnitDispatcher(SimLine& line, std::vector<SimUnit>& units,
                 std::vector<std::unique_ptr<UnitState>>& states, EventLoop& loop, std::FILE* trace)
      : line_(line), units_(units), states_(states), loop_(loop), trace_(trace) {}

  void OnFrame(std::span<const uint8_t> frame);
  // Block and file frames go to the transfer side (none: they are ignored).
  void SetTransfer(SimTransfer* transfer) { transfer_ = transfer; }
  // A change made on unit index's own panel: stored and sent to the editor.
  void PanelChange(size_t index, int modix, int mcix, int value);

 private:
  void OnSearch();
  void OnSetDeviceId(SimUnit& unit, std::span<const uint8_t> frame);
  void OnSetName(SimUnit& unit, std::span<const uint8_t> frame);
  void OnStatusRequest(SimUnit& unit, UnitState& state, std::span<const uint8_t> frame);
  void OnParamChanges(UnitState& state, std::span<const uint8_t> frame);

  SimLine& line_;
  std::vector<SimUnit>& units_;
  SimTransfer* transfer_ = nullptr;
  std::vector<std::unique_ptr<UnitState>>& states_;
  EventLoop& loop_;
  std::FILE* trace_;
  int64_t startMs_ = -1;
};

}  // namespace korvan::sim
