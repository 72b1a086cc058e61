#pragma once
// Settings kept in an INI file ("[Section]" lines and "key=value" lines). The file is read when
// the object is made and written whole by Flush.

#include <string>

#include "core/map_settings.h"

namespace korvan {

class IniSettings : public MapSettings {
 public:
  // Reads path if it exists; a missing or unreadable file gives empty settings.
  explicit IniSettings(std::string path);
  bool Flush() override;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace korvan
