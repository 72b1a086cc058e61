#pragma once
// The connect dialog without its widgets: the busy state, the settings it reads and writes,
// the order in which the chosen data sets are moved, the reply timers of the transfers with
// their messages, the progress window's Cancel and the firmware update button.

#include <functional>
#include <memory>
#include <string>

#include "core/scheduler.h"
#include "core/settings.h"
#include "link/reply_timers.h"

namespace korvan {

class Editor;

// What the dialog's own controls hold (the identity controls are Discovery's).
struct ConnectView {
  bool toUnit = false;  // "PC -> Korvan" chosen; else "Korvan -> PC"
  bool currentSet = true;
  bool internalPresets = true;
  bool cardPresets = true;
  bool stayInSync = true;
  bool stayInSyncEnabled = false;  // until the first operation ends
  bool enabled = true;             // the dialog and its buttons: exactly when idle
  // The main window as closing the dialog leaves it.
  std::string mainCaption = "Korvan Remote: Stand Alone Mode";
  bool quickSyncEnabled = false;  // "Quick Synchronize To KVN"
};

class ConnectDialog {
 public:
  static constexpr int kUploadTimeoutMs = ReplyTimers::kUploadMs;
  static constexpr int kDownloadTimeoutMs = ReplyTimers::kDownloadMs;
  static constexpr int kSendPauseMs = ReplyTimers::kSendMs;

  explicit ConnectDialog(Editor& editor);
  ConnectDialog(const ConnectDialog&) = delete;
  ConnectDialog& operator=(const ConnectDialog&) = delete;

  // Opening: stand-alone, port closed and rescanned, the settings read, a search on the saved
  // port. Closing: linked to the selected unit or stand-alone, the settings written.
  void Open(const Settings& settings);
  void Close(Settings& settings);
  bool Shown() const { return shown_; }

  void SetBusy(bool busy);
  bool Busy() const { return busy_; }

  // "&Synchronize" (fromButton) or the store dialog after it has set syncMask.
  void SynchronizeClick(bool fromButton);
  // after: -1 to start, else the data-set code just done.
  void ContinueReceiveSequence(int after);
  void ContinueSendSequence(int after);
  // "Software &Update Service".
  void UpdateClick();
  // Pulls the unit's copies of the data sets in mask into the backup folder, then runs then; at
  // once when the editor keeps no backups. A unit that does not answer ends it with "No
  // response from ..." and then is not run; a unit without a card only skips the card.
  void BackUpUnitThen(int mask, std::function<void()> then);
  void ContinueBackup(int after);
  // The progress window's Cancel.
  void CancelClick();

  // The reply timers of the transfers.
  void StartUploadTimer();
  void StopUploadTimer();
  void StartDownloadTimer();
  void StopDownloadTimer();
  bool UploadTimerRunning() const { return uploadTimer_->Running(); }
  bool DownloadTimerRunning() const { return downloadTimer_->Running(); }
  bool SendTimerRunning() const { return sendTimer_->Running(); }
  int SendTimerInterval() const { return sendTimer_->Interval(); }
  // True while UploadTimer, DownloadTimer or SendTimer runs: the main timer then waits.
  bool TransferTimerRunning() const;

  // The next code of mask after `after` in the order card, internal, current; 0 when none.
  static int NextCode(int mask, int after);
  static const char* CaptionOf(int code);

  int syncMask = 0;
  ConnectView view;

 private:
  void OnUploadTimer();
  void OnDownloadTimer();
  void OnSendTimer();
  bool UnitSelected() const;
  std::string UnitName() const;

  Editor& editor_;
  int backupMask_ = 0;
  std::function<void()> backupThen_;
  bool busy_ = false;
  bool shown_ = false;
  // The editor's reply timers.
  Timer* uploadTimer_;
  Timer* downloadTimer_;
  Timer* sendTimer_;
};

}  // namespace korvan
