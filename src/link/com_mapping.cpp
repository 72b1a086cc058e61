#include "link/com_mapping.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

namespace korvan {
namespace fs = std::filesystem;
namespace {

// Entries of dir whose names start with prefix, ordered by the number that follows.
std::vector<std::string> Numbered(const std::string& dir, const std::string& prefix) {
  std::vector<std::pair<long, std::string>> found;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    const std::string name = e.path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), e.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

std::string Canonical(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::canonical(path, ec);
  return ec ? path : p.string();
}

}  // namespace

std::vector<std::string> SerialDeviceList() {
  std::vector<std::string> byId;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator("/dev/serial/by-id", ec))
    byId.push_back(e.path().string());
  std::sort(byId.begin(), byId.end());

  std::vector<std::string> out;
  std::set<std::string> seen;
  auto add = [&](const std::string& path) {
    if (seen.insert(Canonical(path)).second) out.push_back(path);
  };
  for (const auto& p : byId) add(p);
  for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"})
    for (const auto& p : Numbered("/dev", prefix)) add(p);
  return out;
}

std::string ComDevicePath(int portNumber) {
  if (portNumber < 1 || portNumber > kComPortCount) return {};
  const std::string var = "KORVAN_COM" + std::to_string(portNumber);
  if (const char* v = std::getenv(var.c_str()); v && *v) return v;
  const auto list = SerialDeviceList();
  return static_cast<size_t>(portNumber) <= list.size() ? list[portNumber - 1] : std::string();
}

bool SameDevice(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return a == b;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace korvan
