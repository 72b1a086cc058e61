#include "link/texter.h"

#include <cstdarg>
#include <cstdio>

namespace korvan {

Texter::Texter(Ui& ui, std::optional<std::string> folder) : ui_(ui) {
  if (!folder) return;
  path_ = folder->empty() ? kFileName : *folder + "/" + kFileName;
  if (std::FILE* f = std::fopen(path_.c_str(), "w")) std::fclose(f);
}

void Texter::Print(const char* format, ...) {
  char message[kMaxMessage + 1];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  if (dialogShown_) ui_.ConnectStatus(message);
  if (path_.empty()) return;
  // A file that cannot be opened (read-only, folder gone) only loses the line.
  if (std::FILE* f = std::fopen(path_.c_str(), "a")) {
    std::fprintf(f, "%s\n", message);
    std::fclose(f);
  }
}

}  // namespace korvan
