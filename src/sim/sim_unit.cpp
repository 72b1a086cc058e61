#include "sim/sim_unit.h"

#include <cstdlib>
#include <sstream>

namespace korvan::sim {
namespace {

bool ParseInt(const std::string& text, int lo, int hi, int& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

bool ParseUnitSpec(const std::string& spec, SimUnit& unit, std::string& error) {
  std::stringstream in(spec);
  std::string item;
  while (std::getline(in, item, ',')) {
    const auto eq = item.find('=');
    if (eq == std::string::npos) {
      error = "unit spec item '" + item + "' is not KEY=VALUE";
      return false;
    }
    const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
    if (key == "dev") {
      int n = 0;
      if (!ParseInt(value, 1, 16, n)) {
        error = "dev must be 1..16, not '" + value + "'";
        return false;
      }
      unit.deviceNumber = n - 1;
    } else if (key == "name") {
      unit.name = value;
    } else if (key == "version") {
      const auto dot = value.find('.');
      int major = 0, minor = 0;
      if (dot == std::string::npos || !ParseInt(value.substr(0, dot), 0, 127, major) ||
          !ParseInt(value.substr(dot + 1), 0, 99, minor)) {
        error = "version must be MAJOR.MINOR (0..127, 0..99), not '" + value + "'";
        return false;
      }
      unit.major = major;
      unit.minor = minor;
    } else {
      error = "unknown unit spec key '" + key + "'";
      return false;
    }
  }
  return true;
}

}  // namespace korvan::sim
