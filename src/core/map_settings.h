#pragma once
// Settings held in memory: the tests' settings file, and the store behind the INI file.

#include <map>
#include <string>

#include "core/settings.h"

namespace korvan {

class MapSettings : public Settings {
 public:
  using Section = std::map<std::string, std::string>;

  bool HasSection(const std::string& section) const override;
  int ReadInt(const std::string& section, const std::string& key, int def) const override;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const override;
  void WriteInt(const std::string& section, const std::string& key, int value) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool Flush() override { return true; }

  const std::map<std::string, Section>& Sections() const { return sections_; }

 protected:
  std::map<std::string, Section> sections_;
};

}  // namespace korvan
