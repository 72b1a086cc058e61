#pragma once
// The backup folder: before a data set is overwritten (on the unit or in the editor) the copy
// that is about to go is kept there as a time-stamped ".kvn" or ".xpc" file. Only the newest
// kLimit files of each kind of copy (one name prefix such as "unit1-internal") are kept.

#include <cstdint>
#include <span>
#include <string>

namespace korvan {

class BackupStore {
 public:
  static constexpr int kLimit = 50;

  // $XDG_DATA_HOME/korvan-remote/backups, or ~/.local/share/korvan-remote/backups when
  // XDG_DATA_HOME is unset or not absolute.
  static std::string DefaultFolder();

  explicit BackupStore(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }

  // Writes bytes as "<prefix>-YYYYMMDD-HHMMSS-mmm.<ext>" (ext from fileType: kvn, xpc, bin),
  // creating the folder when needed, and removes the oldest files of the prefix beyond kLimit.
  // Returns the path, or "" with a reason in error.
  std::string Keep(const std::string& prefix, int fileType, std::span<const uint8_t> bytes,
                   std::string& error) const;

 private:
  std::string folder_;
};

// The name of a data set in backup names: "card", "internal", "current".
const char* DataSetName(int code);

}  // namespace korvan
