#pragma once
// A fresh folder under the build tree's test area (KORVAN_TEST_TMP, else the system's), removed
// with the object.

#include <string>

namespace korvan::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace korvan::test
