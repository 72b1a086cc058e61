#pragma once
// One simulated Korvan unit: what it is (device number, name, firmware version) and, as the
// simulator grows, what it holds. The unit side of each frame is handled by UnitDispatcher.

#include <string>

namespace korvan::sim {

struct SimUnit {
  int deviceNumber = 0;             // 0..15 (shown 1..16)
  std::string name = "KORVAN SIM";  // the 16 name bytes as the unit keeps them
  int major = 1;                    // 127: a unit that reports no name
  int minor = 16;
  // How long after a search request this unit answers, so replies do not collide.
  int replyDelayMs = 20;
};

// Parses "dev=N,name=TEXT,version=MAJOR.MINOR" (any subset, N 1..16) over the defaults of
// unit; false with a reason in error when the text is not such a spec.
bool ParseUnitSpec(const std::string& spec, SimUnit& unit, std::string& error);

}  // namespace korvan::sim
