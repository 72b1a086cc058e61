#pragma once
// Which device file is "COM n" (1..16). An environment variable KORVAN_COM<n>=PATH names it
// directly; otherwise COM n is the n-th serial device found, in this order: the entries of
// /dev/serial/by-id (by name), then /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS* (by number), each
// device counted once (a by-id link and the device it points to are the same port).

#include <string>
#include <vector>

namespace korvan {

inline constexpr int kComPortCount = 16;

// The device paths in mapping order, without the environment overrides.
std::vector<std::string> SerialDeviceList();

// The path of COM n: the override, else the n-th entry of SerialDeviceList(); "" when none.
std::string ComDevicePath(int portNumber);

// True when both paths name the same device file.
bool SameDevice(const std::string& a, const std::string& b);

}  // namespace korvan
