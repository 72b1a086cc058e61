#pragma once
// The lines of a log file, for tests that check what was logged.

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace korvan::test {

inline std::vector<std::string> LogLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

inline bool LogHas(const std::string& path, const std::string& line) {
  const auto lines = LogLines(path);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace korvan::test
