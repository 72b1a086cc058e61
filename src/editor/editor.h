#pragma once
// One editor session: owns the parameter model, the device link and (as it is built) the
// transfer engine, with every piece of program-wide state. Two editors share nothing.

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/fd_watcher.h"
#include "core/scheduler.h"
#include "core/ui.h"
#include "editor/main_timer.h"
#include "link/discovery.h"
#include "link/dispatcher.h"
#include "link/error_popup.h"
#include "link/frame_sender.h"
#include "link/identity.h"
#include "link/link_hooks.h"
#include "link/live_exchange.h"
#include "link/port_device.h"
#include "link/receive_parser.h"
#include "link/reply_timers.h"
#include "link/serial_port.h"
#include "link/status_monitor.h"
#include "link/texter.h"
#include "model/model.h"
#include "model/presets.h"
#include "transfer/backup_store.h"
#include "transfer/chunk_codec.h"
#include "transfer/connect_dialog.h"
#include "transfer/file_commands.h"
#include "transfer/transfers.h"

namespace korvan {

// Where the editor's link meets the machine.
struct LinkEnvironment {
  PortSystem* ports = nullptr;   // null: no serial ports (stand-alone only)
  FdWatcher* watcher = nullptr;  // null: received bytes wait for the 50 ms CommTimer
  // Folder of the log "test.txt" ("" = the working directory, as the program runs; nullopt = no
  // log file, so an editor made for a test or a file command leaves no file behind).
  std::optional<std::string> logFolder = std::nullopt;
  // Folder of the backups kept before a data set is overwritten (nullopt = none kept, as for
  // a test; the program passes BackupStore::DefaultFolder()).
  std::optional<std::string> backupFolder = std::nullopt;
};

class Editor : public ModelHost, public LinkHooks, public PresetHost {
 public:
  // ui, scheduler and what env points to must outlive the editor. Starts as the program does:
  // modules at their defaults, the default preset, the factory bank in the internal presets.
  Editor(Ui& ui, Scheduler& scheduler, LinkEnvironment env = {});
  ~Editor() override;
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  Model& model() { return model_; }
  const Model& model() const { return model_; }
  Ui& ui() { return ui_; }
  Scheduler& scheduler() { return scheduler_; }
  PresetStore& presets() { return presets_; }
  const PresetStore& presets() const { return presets_; }
  ChunkCodec& chunks() { return chunks_; }
  FileCommands& files() { return files_; }
  Transfers& transfers() { return transfers_; }
  ConnectDialog& connect() { return connect_; }
  // Null when the editor keeps no backups.
  const BackupStore* Backups() const { return backups_.get(); }
  void SetBackupFolder(const std::optional<std::string>& folder) {
    backups_ = folder ? std::make_unique<BackupStore>(*folder) : nullptr;
  }

  // The device link.
  Texter& texter() { return texter_; }
  SerialPort& port() { return port_; }
  UnitIdentity& identity() { return identity_; }
  FrameSender& sender() { return sender_; }
  Discovery& discovery() { return discovery_; }
  Dispatcher& dispatcher() { return dispatcher_; }
  ReceiveParser& parser() { return parser_; }

  // The live exchange, the status reports and the connect dialog's reply timers.
  LiveExchange& live() { return live_; }
  StatusMonitor& status() { return status_; }
  ErrorPopup& errorPopup() { return errorPopup_; }
  ReplyTimers& replyTimers() { return replyTimers_; }
  MainTimer& mainTimer() { return mainTimer_; }

  // RemoteMode (also PresetHost's): 0 stand-alone, 0x80 linked (edits are queued and sent). The
  // live exchange keeps it.
  int RemoteMode() const override { return live_.RemoteMode(); }
  void SetRemoteMode(int mode) override { live_.SetRemoteMode(mode); }

  // ModelHost: the model's links to the send queue, the unit's lock state and the user.
  bool QueueForSend(MCtrl& control) override;
  int LockState() const override { return status_.LockState; }
  // A change refused while the unit is locked: ErrorType 12 and the error popup.
  void ShowErrorPopup(const std::string& line1, const std::string& line2) override;
  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;

  // The lock state the unit reported last (0: none).
  void SetLockState(int state) { status_.LockState = state; }
  // For a local operation the unit's lock forbids (preset recall, output configuration): true,
  // with ErrorType 12 and the popup, while the unit reports a lock.
  bool RefuseWhileLocked();

  // Sends SYSEX_STATUS_REQUEST with the meter selectors and starts VuTimer when it was written.
  void SendStatusRequest();
  // True while VuTimer, TimeoutTimer (or a pending search retry), UploadTimer, DownloadTimer or
  // SendTimer runs: the main timer then keeps off the line.
  bool ReplyTimerRunning() const;
  // Re-reads the unit's current set (the error popup after "Not enough EQ-bands available").
  void QuickSynchronize() { SyncToKVNExecute(); }

  // Window state the main timer consults.
  bool MainWindowVisible() const { return mainWindowVisible_; }
  void SetMainWindowVisible(bool visible) { mainWindowVisible_ = visible; }
  bool ConnectDialogActive() const { return connectDialogActive_; }
  void SetConnectDialogActive(bool active) { connectDialogActive_ = active; }

  // LinkHooks: the connect dialog, the live exchange (status, changes) and the transfer entries.
  void SetBusy(bool busy) override;
  void ShowConnectDialog() override {}
  void OnStatusFrame(std::span<const uint8_t> frame) override;
  void OnParamChangesFrame(std::span<const uint8_t> frame) override;
  void OnDataBlockFrame(std::span<const uint8_t> f) override { transfers_.OnDataBlock(f); }
  void OnEntryListFrame(std::span<const uint8_t> f) override { transfers_.OnEntryList(f); }
  void OnBlockRequestFrame(std::span<const uint8_t> f) override { transfers_.OnBlockRequest(f); }
  void OnFileRequestFrame(std::span<const uint8_t> f) override { transfers_.OnFileRequest(f); }

  // The connect dialog's busy state (disabled, hourglass cursor).
  bool Busy() const { return connect_.Busy(); }

  // The free EQ processing the unit reported last (or the stand-alone estimate's).
  int FreeEqProcessing() const { return status_.FreeEqProcessing; }
  void SetFreeEqProcessing(int value) { status_.FreeEqProcessing = value; }

  // PresetHost (and RemoteMode above). Sends the current set to the unit; nothing happens
  // stand-alone or when the unit is locked. Each request while linked is counted.
  void SyncToPcExecute() override;
  int SyncToPcRequests() const { return syncToPcRequests_; }
  // Quick Synchronize To KVN: brings the unit's current set into the editor (linked only).
  void SyncToKVNExecute();

  // Backups: the editor's own copy of a data set (before a received one replaces it) and a
  // copy received from the unit (before it is overwritten). Each logs "Backup: PATH".
  void KeepEditorCopy(int code);
  void KeepUnitCopy(int code, std::span<const uint8_t> image);
  // The paths of every backup kept so far.
  const std::vector<std::string>& BackupsKept() const { return backupsKept_; }
  void RefreshDisplayPage() override { ui_.RefreshDisplayPage(); }

  // A line for the diagnostic log.
  void Log(const std::string& line);

 private:
  Ui& ui_;
  Scheduler& scheduler_;
  Model model_;
  bool mainWindowVisible_ = true;
  bool connectDialogActive_ = false;

  NoPortSystem noPorts_;
  Texter texter_;
  SerialPort port_;
  UnitIdentity identity_;
  FrameSender sender_;
  Discovery discovery_;
  Dispatcher dispatcher_;
  ReceiveParser parser_;
  LiveExchange live_;
  ErrorPopup errorPopup_;
  StatusMonitor status_;
  ReplyTimers replyTimers_;

  int syncToPcRequests_ = 0;
  PresetStore presets_;
  ChunkCodec chunks_;
  FileCommands files_;
  Transfers transfers_;
  ConnectDialog connect_;
  std::unique_ptr<BackupStore> backups_;
  std::vector<std::string> backupsKept_;
  MainTimer mainTimer_;  // last: it starts ticking

  void ReadFactoryBank();
};

}  // namespace korvan
