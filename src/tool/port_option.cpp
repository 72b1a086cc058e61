#include "tool/port_option.h"

#include <cctype>
#include <cstdlib>

#include "link/com_mapping.h"

namespace korvan::tool {

int ResolvePort(const std::string& port, PosixPortSystem& ports, std::string& error) {
  if (port.size() > 3 && (port.compare(0, 3, "COM") == 0 || port.compare(0, 3, "com") == 0)) {
    std::string digits = port.substr(3);
    if (!digits.empty() && digits[0] == ' ') digits.erase(0, 1);
    char* end = nullptr;
    const long n = std::strtol(digits.c_str(), &end, 10);
    if (!digits.empty() && *end == '\0' && n >= 1 && n <= kComPortCount) {
      if (ports.PathOf(static_cast<int>(n)).empty()) {
        error =
            port + " is not mapped to a serial device (see KORVAN_COM" + std::to_string(n) + ")";
        return 0;
      }
      return static_cast<int>(n);
    }
    error = "'" + port + "' is not a COM port 1..16";
    return 0;
  }
  if (port.empty() || port[0] != '/') {
    error = "'" + port + "' is neither a device path nor COMn";
    return 0;
  }
  // A path keeps the COM number it has in the mapping, so texts and keys read as they would in
  // the editor; a path outside the mapping is used as COM 1.
  for (int n = 1; n <= kComPortCount; ++n) {
    if (SameDevice(ports.PathOf(n), port)) {
      ports.Pin(n, port);
      return n;
    }
  }
  ports.Pin(1, port);
  return 1;
}

}  // namespace korvan::tool
