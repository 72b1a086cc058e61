#pragma once
// An editor linked to a FakeUnit on COM 1 (device 1, "UNIT", selected in the list), and the
// images a unit would hold, made by a second editor.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_unit.h"
#include "support/link_fixture.h"
#include "transfer/filer.h"

namespace korvan::test {

inline std::vector<uint8_t> PackOf(Editor& e, int fileType, unsigned medium) {
  Filer f(e);
  f.fileType = fileType;
  f.medium = medium;
  f.Pack();
  return {f.buffer.begin(), f.buffer.begin() + f.size};
}

class TransferTest : public LinkTest {
 protected:
  void SetUp() override {
    OpenCom1();
    IdentityRecord rec;
    rec.modelCode = 116;
    rec.deviceNumber = 0;
    rec.name = "UNIT";
    rec.textId = "DEV0074M00C01";
    editor.identity().current = rec;
    editor.discovery().found = {FoundEntry{"UNIT", rec}};
    editor.discovery().selected = 0;
    editor.discovery().linkKind = 1;
    // What the unit holds: a current set, an internal and a card bank unlike the editor's.
    Model& m = other.model();
    m.EditValue(m.Ctrl(7, 2), 120);
    m.ProcessChanges();
    other.presets().StorePreset(kInternalBank, 5);
    other.presets().StorePreset(kCardBank, 3);
    unit.current = PackOf(other, 1, kMediumSerial);
    unit.internal = PackOf(other, 0, kMediumSerial);
    unit.card = PackOf(other, 0, kMediumDisk);
  }
  // Lets the unit answer and the editor take the answers for ms of manual time.
  void Pump(int ms) {
    for (int t = 0; t < ms; t += SerialPort::kCommIntervalMs) {
      unit.Step();
      clock.Advance(SerialPort::kCommIntervalMs);
    }
    unit.Step();
  }
  // Frames the editor wrote with command cmd.
  std::vector<std::vector<uint8_t>> Written(uint8_t cmd) const {
    std::vector<std::vector<uint8_t>> out;
    for (const auto& w : ports.writes)
      if (w.size() > 6 && w[6] == cmd) out.push_back(w);
    return out;
  }

  FakeUnit unit{ports};
  SilentUi otherUi;
  ManualScheduler otherClock;
  Editor other{otherUi, otherClock};
};

}  // namespace korvan::test
