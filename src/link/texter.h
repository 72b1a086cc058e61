#pragma once
// The diagnostic log: every message goes to "test.txt" (opened and closed per message, so each
// line is on disk when logged) and, while the connect dialog is shown, to its status line.

#include <optional>
#include <string>

#include "core/ui.h"

namespace korvan {

class Texter {
 public:
  static constexpr int kMaxMessage = 255;
  static constexpr const char* kFileName = "test.txt";

  // folder: where "test.txt" lies ("" = the working directory; nullopt = no file at all, only
  // the status line). The file is emptied here, so every run starts with an empty log.
  explicit Texter(Ui& ui, std::optional<std::string> folder = std::string());

  // printf-style; the message is cut to 255 characters.
  void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Set while the connect dialog is shown: messages then also go to its status line.
  void SetDialogShown(bool shown) { dialogShown_ = shown; }
  bool DialogShown() const { return dialogShown_; }

  // The log file's path; empty when there is no file.
  const std::string& Path() const { return path_; }

 private:
  Ui& ui_;
  std::string path_;
  bool dialogShown_ = false;
};

}  // namespace korvan
