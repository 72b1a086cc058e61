#pragma once
// Who the editor talks to: the identity record of a unit, the records the link keeps, and the
// texts made from them.

#include <string>

namespace korvan {

struct IdentityRecord {
  int modelCode = 0;             // firmware version major * 100 + minor; 0 = no real unit
  int deviceNumber = 32;         // 0..15 (shown 1..16); 32 before any unit is known
  std::string textId = "DEV0";   // settings key "DEV%04XM%02dC%02d", at most 15 characters
  std::string name = "Virtual";  // at most 47 characters

  static constexpr int kMaxTextId = 15;
  static constexpr int kMaxName = 47;

  // The stand-alone record every editor starts with.
  static IdentityRecord Virtual() { return {}; }
  bool operator==(const IdentityRecord&) const = default;
};

// The current record (every frame is addressed to it) and the unit used last.
struct UnitIdentity {
  IdentityRecord current;
  IdentityRecord lastUsed;
};

// "DEV%04XM%02dC%02d" of modelCode, deviceNumber and the port number, cut to 15 characters.
std::string MakeTextId(int modelCode, int deviceNumber, int portNumber);

// The text of the "Version :" box: "V 1.05", "V 2.12", or "B 1.0" for a unit without a name.
std::string VersionText(int modelCode);

}  // namespace korvan
