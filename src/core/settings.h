#pragma once
// The settings file as the core sees it: named sections of integer and string keys. The Qt
// program backs it with QSettings, korvan-tool with an INI file, the tests with a map.

#include <string>

namespace korvan {

class Settings {
 public:
  virtual ~Settings() = default;
  virtual bool HasSection(const std::string& section) const = 0;
  // The key's value, or def when the key is missing (or, for ReadInt, not a decimal number).
  virtual int ReadInt(const std::string& section, const std::string& key, int def) const = 0;
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const = 0;
  virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // Makes what was written permanent; false when that failed.
  virtual bool Flush() = 0;
};

}  // namespace korvan
