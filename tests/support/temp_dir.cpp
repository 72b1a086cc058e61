#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace korvan::test {

TempDir::TempDir() {
  namespace fs = std::filesystem;
  const char* base = std::getenv("KORVAN_TEST_TMP");
  fs::path root = base && *base ? fs::path(base) : fs::temp_directory_path();
  fs::create_directories(root);
  std::string tmpl = (root / "korvan-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed in " + root.string());
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace korvan::test
