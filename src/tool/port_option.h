#pragma once
// The PORT argument of the commands that talk to a unit: a device path, or "COMn" (also
// "COM n") through the program's COM mapping.

#include <string>

#include "link/posix_port.h"

namespace korvan::tool {

// The COM number (1..16) PORT stands for, pinning a device path to a number of ports; 0 with a
// reason in error when PORT is neither form.
int ResolvePort(const std::string& port, PosixPortSystem& ports, std::string& error);

}  // namespace korvan::tool
