#include "core/map_settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace korvan {

bool MapSettings::HasSection(const std::string& section) const {
  return sections_.contains(section);
}

int MapSettings::ReadInt(const std::string& section, const std::string& key, int def) const {
  const std::string text = ReadString(section, key, {});
  if (text.empty()) return def;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX) return def;
  return static_cast<int>(v);
}

std::string MapSettings::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def) const {
  auto s = sections_.find(section);
  if (s == sections_.end()) return def;
  auto k = s->second.find(key);
  return k == s->second.end() ? def : k->second;
}

void MapSettings::WriteInt(const std::string& section, const std::string& key, int value) {
  sections_[section][key] = std::to_string(value);
}

void MapSettings::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  sections_[section][key] = value;
}

}  // namespace korvan
