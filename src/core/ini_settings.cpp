#include "core/ini_settings.h"

#include <cstdio>
#include <fstream>

namespace korvan {
namespace {

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

IniSettings::IniSettings(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string raw = line;
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      sections_[section];
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos || section.empty()) continue;
    // Values are kept as written: a unit's name may end in spaces.
    sections_[section][Trim(line.substr(0, eq))] = raw.substr(raw.find('=') + 1);
  }
}

bool IniSettings::Flush() {
  // Written beside and renamed over, so a failed write never leaves half a file.
  const std::string tmp = path_ + ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    if (!out) return false;
    for (const auto& [name, keys] : sections_) {
      out << '[' << name << "]\n";
      for (const auto& [key, value] : keys) out << key << '=' << value << '\n';
      out << '\n';
    }
    out.flush();
    if (!out) return false;
  }
  return std::rename(tmp.c_str(), path_.c_str()) == 0;
}

}  // namespace korvan
