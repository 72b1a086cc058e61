#include "transfer/backup_store.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "transfer/transfers.h"

namespace korvan {
namespace fs = std::filesystem;

namespace {

const char* ExtensionOf(int fileType) {
  switch (fileType) {
    case 0:
      return "kvn";
    case 1:
      return "xpc";
    default:
      return "bin";
  }
}

std::string Stamp() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  const int ms =
      static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%03d", tm.tm_year + 1900,
                tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
  return text;
}

}  // namespace

const char* DataSetName(int code) {
  switch (code) {
    case kSetCard:
      return "card";
    case kSetInternal:
      return "internal";
    default:
      return "current";
  }
}

std::string BackupStore::DefaultFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && home[0] ? home : ".") + "/.local/share";
  }
  return base + "/korvan-remote/backups";
}

std::string BackupStore::Keep(const std::string& prefix, int fileType,
                              std::span<const uint8_t> bytes, std::string& error) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) {
    error = "cannot create " + folder_ + ": " + ec.message();
    return {};
  }
  const std::string ext = ExtensionOf(fileType);
  std::string path = folder_ + "/" + prefix + "-" + Stamp() + "." + ext;
  // Two copies in the same millisecond get a counter rather than overwrite each other.
  for (int n = 2; fs::exists(path, ec); ++n)
    path = folder_ + "/" + prefix + "-" + Stamp() + "-" + std::to_string(n) + "." + ext;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      error = "cannot write " + path;
      out.close();
      fs::remove(path, ec);
      return {};
    }
  }
  // The stamp sorts as text in time order.
  std::vector<std::string> mine;
  const std::string head = prefix + "-";
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(head, 0) == 0 && name.size() > head.size() &&
        std::isdigit(static_cast<unsigned char>(name[head.size()])) &&
        entry.path().extension() == "." + ext)
      mine.push_back(name);
  }
  std::sort(mine.begin(), mine.end());
  for (size_t i = 0; i + kLimit < mine.size(); ++i) fs::remove(folder_ + "/" + mine[i], ec);
  return path;
}

}  // namespace korvan
