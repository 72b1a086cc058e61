#pragma once
// One unit on a port, as korvan-tool's transfer commands use it: the search (ending early with
// --device), then single data sets pulled or pushed, backups of the unit's copies and the
// firmware update, each run on the real event loop until it is over.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/event_loop.h"
#include "editor/editor.h"
#include "link/posix_port.h"
#include "tool/counting_ports.h"
#include "tool/tool_ui.h"

namespace korvan::tool {

// Data-set code of --set current|internal|card; 0 when the name is none of them.
int DataSetCode(const std::string& name);

class UnitSession {
 public:
  // backupFolder: nullopt keeps no backups.
  explicit UnitSession(std::optional<std::string> backupFolder);

  // Searches port and selects the unit (device 1..16, 0: the first by name). False with a
  // reason in error.
  bool Connect(const std::string& port, int device, std::string& error);

  // Receives a data set; its decoded image in image. False with the unit's failure in error.
  bool Pull(int code, std::vector<uint8_t>& image, std::string& error);
  // Keeps the unit's copies of the data sets in mask in the backup folder.
  bool BackUp(int mask, std::string& error);
  // Sends image as data set code.
  bool Push(int code, const std::vector<uint8_t>& image, std::string& error);
  // Sends a program image; message gets the text shown at the end.
  bool Update(const std::vector<uint8_t>& image, std::string& message, std::string& error);

  // The --stats line of the last transfer: "transfer  SENT  RECEIVED  SECONDS".
  std::string StatsLine() const;
  const std::vector<std::string>& BackupsKept() const { return editor_.BackupsKept(); }
  Editor& editor() { return editor_; }

 private:
  void StartStats();
  void EndStats();
  // Runs the loop until done() or a message box; false (error = the box) on a box.
  bool RunUntilDone(const std::function<bool()>& done, std::string& error);

  PosixPortSystem posix_;
  CountingPortSystem ports_{posix_};
  ToolUi ui_;
  EventLoop loop_;
  Editor editor_;
  ByteCounts startCounts_, endCounts_;
  int64_t startMs_ = 0, endMs_ = 0;
};

}  // namespace korvan::tool
