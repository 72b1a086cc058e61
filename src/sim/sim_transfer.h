#pragma once
// The unit side of whole data-set transfers: serves the editor's block and file requests from
// the units' memories, answers a file announce with a file request, takes data sets and
// program images block by block with its own block requests (checking every checksum), and
// keeps what it received. Faults on request: a corrupted block, a dropped block, a unit that
// stops answering after some block.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "sim/sim_line.h"
#include "sim/sim_unit.h"
#include "sim/unit_memory.h"
#include "sim/unit_state.h"

namespace korvan::sim {

struct TransferFaults {
  bool noCard = false;
  int badChecksum = -1;     // this block goes out once with a wrong checksum
  int dropBlock = -1;       // the first request of this block is not answered
  int stopAfterBlock = -1;  // no block after this one is sent or asked for
};

class SimTransfer {
 public:
  SimTransfer(SimLine& line, std::string stateDir, TransferFaults faults)
      : line_(line), stateDir_(std::move(stateDir)), faults_(faults) {}

  // Loads each unit's memories (numbered by its device number at start). params, when given, are
  // the unit's live parameters: its current set is read into them, a received current set
  // replaces them, and a served current set carries them.
  void AddUnit(const SimUnit& unit, UnitState* params = nullptr);
  // Writes each unit's current set with the parameter changes it took since it was loaded or
  // received (on exit).
  void SaveChangedCurrentSets();
  // True when frame (addressed to unit) was a transfer frame and has been handled.
  bool OnFrame(const SimUnit& unit, std::span<const uint8_t> frame);

  UnitMemory* MemoryOf(const SimUnit& unit);

 private:
  struct State {
    int number = 1;  // 1..16, names the state files
    UnitState* params = nullptr;
    bool currentUnsaved = false;  // the current set took parameter changes not yet written
    UnitMemory memory;
    bool servingCard = false;   // kind 0 requests are for the card bank
    bool incomingCard = false;  // the next kind 0 image is the card bank
    std::vector<uint8_t> stream;
    int expected = 0;
  };

  void OnBlockRequest(const SimUnit& unit, State& s, std::span<const uint8_t> frame);
  void OnFileRequest(const SimUnit& unit, State& s, std::span<const uint8_t> frame);
  void OnFileAnnounce(const SimUnit& unit, State& s, std::span<const uint8_t> frame);
  void OnDataBlock(const SimUnit& unit, State& s, std::span<const uint8_t> frame);
  void Serve(const SimUnit& unit, const std::vector<uint8_t>& image, int kind, int block);
  void Keep(State& s, int kind, std::vector<uint8_t> image);
  // Copies the live parameters into the current set's image words; false when they were equal.
  bool RefreshCurrent(State& s);

  SimLine& line_;
  std::string stateDir_;
  TransferFaults faults_;
  std::map<const SimUnit*, State> states_;
};

}  // namespace korvan::sim
