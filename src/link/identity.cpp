#include "link/identity.h"

#include <cstdio>

namespace korvan {

std::string MakeTextId(int modelCode, int deviceNumber, int portNumber) {
  char text[IdentityRecord::kMaxTextId + 1];
  std::snprintf(text, sizeof text, "DEV%04XM%02dC%02d", static_cast<unsigned>(modelCode),
                deviceNumber, portNumber);
  return text;
}

std::string VersionText(int modelCode) {
  const int major = modelCode / 100, minor = modelCode % 100;
  if (major >= 127) return "B 1.0";
  return "V " + std::to_string(major) + (minor < 10 ? ".0" : ".") + std::to_string(minor);
}

}  // namespace korvan
