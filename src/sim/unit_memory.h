#pragma once
// What one simulated unit holds: its current set, internal bank, card bank (or no card) and
// the last program image it received, as the editor's own file images, optionally kept in a
// state folder as DIR/unitN-current.xpc, unitN-internal.kvn, unitN-card.kvn, unitN-firmware.bin.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvan::sim {

struct UnitMemory {
  using Bytes = std::vector<uint8_t>;
  Bytes current;
  Bytes internal;
  std::optional<Bytes> card;  // none: no card in the unit
  Bytes firmware;

  // The images a unit starts with: the editor's start-up current set, the factory bank as
  // internal bank, an empty card bank.
  static UnitMemory Defaults();

  // Reads what stateDir holds for unit number (1..16) over the defaults; noCard drops the card.
  // An empty stateDir reads nothing.
  void Load(const std::string& stateDir, int number, bool noCard);
  // Writes one memory (data-set code 1 card, 2 internal, 4 current, 8 firmware) at once; false
  // with a reason in error when the file cannot be written. Nothing is written without a dir.
  bool Save(const std::string& stateDir, int number, int code, std::string& error) const;

  static std::string PathOf(const std::string& stateDir, int number, int code);
};

}  // namespace korvan::sim
