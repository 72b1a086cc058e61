// korvan-tool pull, push and update: data sets and program images between a file and a unit.

#include <unistd.h>

#include <fstream>
#include <iostream>
#include <iterator>

#include "tool/commands.h"
#include "tool/unit_session.h"
#include "transfer/backup_store.h"
#include "transfer/file_kind.h"
#include "transfer/transfers.h"

namespace korvan::tool {
namespace {

struct TransferOptions {
  std::string port;
  std::string set;
  std::string file;
  int device = 0;
  bool yes = false;
  bool noBackup = false;
  bool stats = false;
  std::string backupDir;
};

bool ReadBytes(const std::string& path, std::vector<uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return static_cast<bool>(out);
}

// The image must read as the data set it claims to be: it is unpacked into a scratch editor.
bool Readable(int code, const std::vector<uint8_t>& image) {
  SilentUi ui;
  EventLoop loop;
  Editor scratch(ui, loop);
  Filer f(scratch);
  f.fileType = Transfers::FileTypeOf(code);
  f.medium = code == kSetCard ? kMediumDisk : kMediumSerial;
  f.buffer = image;
  f.size = static_cast<unsigned>(image.size());
  f.Unpack();
  return !image.empty() && f.error == 0;
}

std::optional<std::string> BackupFolder(const TransferOptions& o) {
  if (o.noBackup) return std::nullopt;
  return o.backupDir.empty() ? BackupStore::DefaultFolder() : o.backupDir;
}

void PrintBackups(const UnitSession& s, const char* cmd) {
  for (const std::string& path : s.BackupsKept())
    std::cerr << "korvan-tool " << cmd << ": backup kept in " << path << '\n';
}

int RunPull(const TransferOptions& o) {
  const int code = DataSetCode(o.set);
  if (FileKindOf(o.file) != Transfers::FileTypeOf(code)) {
    std::cerr << "korvan-tool pull: " << o.file << " is not a "
              << (code == kSetCurrent ? "set (.xpc)" : "bank (.kvn)") << " file\n";
    return 2;
  }
  UnitSession s(std::nullopt);
  std::string error;
  if (!s.Connect(o.port, o.device, error)) {
    std::cerr << "korvan-tool pull: " << error << '\n';
    return 1;
  }
  std::vector<uint8_t> image;
  if (!s.Pull(code, image, error)) {
    std::cerr << "korvan-tool pull: " << error << '\n';
    return 1;
  }
  if (o.stats) std::cerr << s.StatsLine() << '\n';
  if (!Readable(code, image)) {
    std::cerr << "korvan-tool pull: the unit's " << DataSetName(code)
              << " data set has illegal data; nothing written\n";
    return 1;
  }
  if (!WriteBytes(o.file, image)) {
    std::cerr << "korvan-tool pull: cannot write " << o.file << '\n';
    return 1;
  }
  return 0;
}

int RunPush(const TransferOptions& o) {
  const int code = DataSetCode(o.set);
  std::vector<uint8_t> image;
  if (FileKindOf(o.file) != Transfers::FileTypeOf(code)) {
    std::cerr << "korvan-tool push: " << o.file << " is not a "
              << (code == kSetCurrent ? "set (.xpc)" : "bank (.kvn)") << " file\n";
    return 2;
  }
  if (!ReadBytes(o.file, image) || image.empty()) {
    std::cerr << "korvan-tool push: " << o.file << ": No File Loaded\n";
    return 1;
  }
  if (!Readable(code, image)) {
    std::cerr << "korvan-tool push: " << o.file << ": File has Illegal data\n";
    return 1;
  }
  if (code != kSetCurrent && !o.yes) {
    bool ok = false;
    if (::isatty(STDIN_FILENO) == 1) {
      std::cerr << "KVN-presets will be overwritten! Continue? [y/N] ";
      std::string answer;
      std::getline(std::cin, answer);
      ok = answer == "y" || answer == "Y" || answer == "yes";
    } else {
      std::cerr << "korvan-tool push: KVN-presets will be overwritten! (give --yes)\n";
    }
    if (!ok) return 1;
  }
  UnitSession s(BackupFolder(o));
  std::string error;
  if (!s.Connect(o.port, o.device, error)) {
    std::cerr << "korvan-tool push: " << error << '\n';
    return 1;
  }
  if (!o.noBackup) {
    const bool kept = s.BackUp(code, error);
    PrintBackups(s, "push");
    if (!kept) {
      std::cerr << "korvan-tool push: the unit's copy could not be kept (" << error
                << "); nothing sent\n";
      return 1;
    }
  }
  if (!s.Push(code, image, error)) {
    std::cerr << "korvan-tool push: " << error << '\n';
    return 1;
  }
  if (o.stats) std::cerr << s.StatsLine() << '\n';
  return 0;
}

int RunUpdate(const TransferOptions& o) {
  if (FileKindOf(o.file) != kFileProgram) {
    std::cerr << "korvan-tool update: " << o.file << ": File has Illegal data\n";
    return 1;
  }
  std::vector<uint8_t> image;
  if (!ReadBytes(o.file, image)) {
    std::cerr << "korvan-tool update: " << o.file << ": No File Loaded\n";
    return 1;
  }
  if (!o.yes) {
    std::cerr << "korvan-tool update: This will overwrite the Korvan with a new program "
                 "(give --yes)\n";
    return 1;
  }
  UnitSession s(BackupFolder(o));
  std::string error;
  if (!s.Connect(o.port, o.device, error)) {
    std::cerr << "korvan-tool update: " << error << '\n';
    return 1;
  }
  if (!o.noBackup) {
    const bool kept = s.BackUp(kSetCard | kSetInternal | kSetCurrent, error);
    PrintBackups(s, "update");
    if (!kept) {
      std::cerr << "korvan-tool update: the unit's data sets could not be kept (" << error
                << "); nothing sent\n";
      return 1;
    }
  }
  std::string message;
  if (!s.Update(image, message, error)) {
    std::cerr << "korvan-tool update: " << error << '\n';
    return 1;
  }
  if (o.stats) std::cerr << s.StatsLine() << '\n';
  std::cerr << message << '\n';
  return 0;
}

void AddCommon(CLI::App* cmd, TransferOptions& o) {
  cmd->add_option("--port", o.port, "device path (/dev/ttyUSB0) or COMn")->required();
  cmd->add_option("--device", o.device, "the unit (1..16); go on as soon as it has answered")
      ->check(CLI::Range(1, 16));
  cmd->add_flag("--stats", o.stats, "print 'transfer SENT RECEIVED SECONDS' on stderr");
}

void AddBackupOptions(CLI::App* cmd, TransferOptions& o) {
  cmd->add_flag("--no-backup", o.noBackup, "do not keep the unit's copy first");
  cmd->add_option("--backup-dir", o.backupDir,
                  "backup folder (default $XDG_DATA_HOME/korvan-remote/backups)");
}

}  // namespace

void AddPullCommand(CLI::App& app, int& rc) {
  auto o = std::make_shared<TransferOptions>();
  CLI::App* cmd = app.add_subcommand("pull", "Receive a data set from a unit into a file");
  AddCommon(cmd, *o);
  cmd->add_option("--set", o->set, "current, internal or card")
      ->required()
      ->check(CLI::IsMember({"current", "internal", "card"}));
  cmd->add_option("-o", o->file, "the file to write (.xpc for current, .kvn for the banks)")
      ->required();
  cmd->callback([o, &rc] { rc = RunPull(*o); });
}

void AddPushCommand(CLI::App& app, int& rc) {
  auto o = std::make_shared<TransferOptions>();
  CLI::App* cmd = app.add_subcommand("push", "Send a file's data set to a unit");
  AddCommon(cmd, *o);
  AddBackupOptions(cmd, *o);
  cmd->add_option("--set", o->set, "current, internal or card")
      ->required()
      ->check(CLI::IsMember({"current", "internal", "card"}));
  cmd->add_option("FILE", o->file, "the set (.xpc) or bank (.kvn) to send")->required();
  cmd->add_flag("--yes", o->yes, "overwrite the unit's presets without asking");
  cmd->callback([o, &rc] { rc = RunPush(*o); });
}

void AddUpdateCommand(CLI::App& app, int& rc) {
  auto o = std::make_shared<TransferOptions>();
  CLI::App* cmd = app.add_subcommand("update", "Replace a unit's program with a .bin image");
  AddCommon(cmd, *o);
  AddBackupOptions(cmd, *o);
  cmd->add_option("FILE", o->file, "the program image (.bin)")->required();
  cmd->add_flag("--yes", o->yes, "confirm the overwrite of the unit's program");
  cmd->callback([o, &rc] { rc = RunUpdate(*o); });
}

}  // namespace korvan::tool
