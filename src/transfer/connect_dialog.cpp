#include "transfer/connect_dialog.h"

#include "editor/editor.h"
#include "transfer/firmware_update.h"
#include "transfer/transfers.h"

namespace korvan {

ConnectDialog::ConnectDialog(Editor& editor) : editor_(editor) {
  ReplyTimers& timers = editor.replyTimers();
  uploadTimer_ = &timers.UploadTimer();
  downloadTimer_ = &timers.DownloadTimer();
  sendTimer_ = &timers.SendTimer();
  timers.SetOnUploadExpiry([this] { OnUploadTimer(); });
  timers.SetOnDownloadExpiry([this] { OnDownloadTimer(); });
  timers.SetOnSendExpiry([this] { OnSendTimer(); });
}

bool ConnectDialog::UnitSelected() const {
  const Discovery& d = editor_.discovery();
  return d.selected >= 0 && d.selected < static_cast<int>(d.found.size());
}

std::string ConnectDialog::UnitName() const {
  return editor_.identity().current.name;
}

void ConnectDialog::SetBusy(bool busy) {
  busy_ = busy;
  editor_.ui().BusyCursor(busy);
  view.enabled = !busy;
  if (!busy) view.stayInSyncEnabled = true;
}

void ConnectDialog::Open(const Settings& settings) {
  shown_ = true;
  editor_.texter().SetDialogShown(true);
  editor_.SetMainWindowVisible(false);
  editor_.SetConnectDialogActive(true);
  editor_.SetRemoteMode(0);
  Discovery& d = editor_.discovery();
  SerialPort& port = editor_.port();
  port.ClosePort();
  d.ScanPorts();

  d.linkKind = settings.ReadInt("Communication", "Medium", 0);
  view.stayInSync = settings.ReadInt("Remote", "InSync", view.stayInSync) != 0;
  view.toUnit = settings.ReadInt("Remote", "Direction", !view.toUnit) == 0;
  view.currentSet = settings.ReadInt("Remote", "DataSet", view.currentSet) != 0;
  view.internalPresets = settings.ReadInt("Remote", "SyncInternPresets", view.internalPresets) != 0;
  view.cardPresets = settings.ReadInt("Remote", "SyncCardPresets", view.cardPresets) != 0;
  const int comPort = settings.ReadInt("Communication", "ComPort", 0);
  port.portNumber = comPort;

  if (comPort < 1) {
    if (!d.view.portBox.empty()) d.view.portSelection = 0;
  } else {
    d.ChoosePort(comPort);
    d.StartSearch();
  }
  d.LoadLastUsed(settings);
}

void ConnectDialog::Close(Settings& settings) {
  Discovery& d = editor_.discovery();
  SerialPort& port = editor_.port();
  // Only a real unit is linked: the "Virtual" entry of a failed search stays stand-alone.
  const bool realUnit = UnitSelected() && editor_.identity().current.modelCode != 0;
  if (realUnit && view.stayInSync) {
    if (port.OpenPort() && editor_.RemoteMode() != 0x80) {
      editor_.SetRemoteMode(0x80);
      editor_.sender().SendRemoteMode(0x40);
    }
  } else {
    port.ClosePort();
  }
  if (editor_.RemoteMode() != 0) {
    view.mainCaption = "Korvan Remote: Connected To " + UnitName();
    view.quickSyncEnabled = true;
  } else {
    view.mainCaption = "Korvan Remote: Stand Alone Mode";
    view.quickSyncEnabled = false;
  }
  editor_.SetMainWindowVisible(true);
  settings.WriteInt("Communication", "Medium", 1);
  settings.WriteInt("Communication", "ComPort", port.openedPort);
  settings.WriteInt("Remote", "InSync", view.stayInSync ? 1 : 0);
  settings.WriteInt("Remote", "Direction", view.toUnit ? 0 : 1);
  settings.WriteInt("Remote", "DataSet", view.currentSet ? 1 : 0);
  settings.WriteInt("Remote", "SyncInternPresets", view.internalPresets ? 1 : 0);
  settings.WriteInt("Remote", "SyncCardPresets", view.cardPresets ? 1 : 0);
  d.SaveUnits(settings);
  if (!settings.Flush()) editor_.Log("Settings not saved");
  editor_.identity().lastUsed = editor_.identity().current;
  shown_ = false;
  editor_.SetConnectDialogActive(false);
  editor_.texter().SetDialogShown(false);
}

int ConnectDialog::NextCode(int mask, int after) {
  static constexpr int kOrder[] = {kSetCard, kSetInternal, kSetCurrent};
  bool past = after == -1;
  for (int code : kOrder) {
    if (past && (mask & code)) return code;
    if (code == after) past = true;
  }
  return 0;
}

const char* ConnectDialog::CaptionOf(int code) {
  switch (code) {
    case kSetCard:
      return "Synchronizing Card Presets";
    case kSetInternal:
      return "Synchronizing Internal Presets";
    default:
      return "Synchronizing Current Settings";
  }
}

void ConnectDialog::SynchronizeClick(bool fromButton) {
  if (!UnitSelected()) return;
  Transfers& t = editor_.transfers();
  Ui& ui = editor_.ui();
  t.sequenceRunning = true;
  SetBusy(true);
  if (fromButton) {
    syncMask = (view.cardPresets ? kSetCard : 0) | (view.internalPresets ? kSetInternal : 0) |
               (view.currentSet ? kSetCurrent : 0);
  }
  if (fromButton && !view.toUnit) {
    t.receiveCancelled = false;
    ContinueReceiveSequence(-1);
    return;
  }
  if (editor_.LockState() != 0) {
    ui.MessageBox(UnitName() + "\n\nis locked !", MsgIcon::Error, MsgButtons::Ok);
    t.sequenceRunning = false;
    SetBusy(false);
    return;
  }
  if (fromButton && (syncMask & (kSetCard | kSetInternal))) {
    if (ui.MessageBox("KVN-presets will be overwritten!", MsgIcon::Warning, MsgButtons::OkCancel) !=
        MsgResult::Ok) {
      t.sequenceRunning = false;
      SetBusy(false);
      return;
    }
  }
  // The unit's copies of what is about to be overwritten are kept first.
  BackUpUnitThen(syncMask, [this] {
    editor_.transfers().stopServing = false;
    ContinueSendSequence(-1);
  });
}

void ConnectDialog::BackUpUnitThen(int mask, std::function<void()> then) {
  if (!editor_.Backups() || mask == 0) {
    then();
    return;
  }
  backupMask_ = mask;
  backupThen_ = std::move(then);
  editor_.transfers().backingUp = true;
  ContinueBackup(-1);
}

void ConnectDialog::ContinueBackup(int after) {
  Transfers& t = editor_.transfers();
  const int c = NextCode(backupMask_, after);
  if (c != 0) {
    editor_.ui().ProgressCaption(CaptionOf(c));
    t.receivingSet = c;
    t.receiveCancelled = false;
    t.ReceiveDataSet(editor_.discovery().linkKind, c);
    return;
  }
  t.backingUp = false;
  t.receivingSet = 0;
  std::function<void()> then = std::move(backupThen_);
  backupThen_ = nullptr;
  if (then) then();
}

void ConnectDialog::ContinueReceiveSequence(int after) {
  if (after != -1 && after != kSetCard && after != kSetInternal && after != kSetCurrent) return;
  Transfers& t = editor_.transfers();
  const int c = NextCode(syncMask, after);
  if (c == 0) {
    t.sequenceRunning = false;
    SetBusy(false);
    return;
  }
  editor_.ui().ProgressCaption(CaptionOf(c));
  t.receivingSet = c;
  // The end of the last data set ends the sequence.
  if (c == kSetCurrent) t.sequenceRunning = false;
  t.ReceiveDataSet(editor_.discovery().linkKind, c);
}

void ConnectDialog::ContinueSendSequence(int after) {
  if (after != -1 && after != kSetCard && after != kSetInternal && after != kSetCurrent) return;
  Transfers& t = editor_.transfers();
  // The less processing the unit has free, the longer it needs to take in a data set.
  const int free = editor_.FreeEqProcessing();
  sendTimer_->Start(free < 20 ? 4500 - free * 200 : kSendPauseMs);
  sendTimer_->Stop();
  const int c = NextCode(syncMask, after);
  if (c != 0) {
    editor_.ui().ProgressCaption(CaptionOf(c));
    t.sendingSet = c;
    if (after == -1) {
      t.SendDataSet(editor_.discovery().linkKind, c);
    } else {
      sendTimer_->Restart();
      editor_.Log("Waiting for KVN finished");
    }
    return;
  }
  t.sequenceRunning = false;
  sendTimer_->Restart();
  editor_.Log("Waiting for KVN finished");
}

void ConnectDialog::OnSendTimer() {
  sendTimer_->Stop();
  Transfers& t = editor_.transfers();
  if (t.sequenceRunning) {
    t.SendDataSet(editor_.discovery().linkKind, t.sendingSet);
    return;
  }
  SetBusy(false);
  editor_.Log("Ok..");
}

void ConnectDialog::StartUploadTimer() {
  uploadTimer_->Start(kUploadTimeoutMs);
}
void ConnectDialog::StopUploadTimer() {
  uploadTimer_->Stop();
}
void ConnectDialog::StartDownloadTimer() {
  downloadTimer_->Start(kDownloadTimeoutMs);
}
void ConnectDialog::StopDownloadTimer() {
  downloadTimer_->Stop();
}

bool ConnectDialog::TransferTimerRunning() const {
  return uploadTimer_->Running() || downloadTimer_->Running() || sendTimer_->Running();
}

void ConnectDialog::OnUploadTimer() {
  uploadTimer_->Stop();
  Transfers& t = editor_.transfers();
  Ui& ui = editor_.ui();
  if (t.backingUp && t.receivingSet == kSetCard) {
    // No card: there is no card bank to keep.
    ContinueBackup(kSetCard);
    return;
  }
  if (t.receivingSet == kSetCard) {
    ui.MessageBox("No Card Presets Found", MsgIcon::Warning, MsgButtons::Ok);
    if (t.sequenceRunning) {
      ContinueReceiveSequence(kSetCard);
    } else {
      t.receivingSet = 0;
      SetBusy(false);
    }
    return;
  }
  // The receive is over: blocks that still come must not reach the model.
  t.receiveCancelled = true;
  t.backingUp = false;
  backupThen_ = nullptr;
  t.sequenceRunning = false;
  t.receivingSet = 0;
  ui.ProgressClose();
  ui.MessageBox("No response from " + UnitName() + " !!\nCheck connection.", MsgIcon::Error,
                MsgButtons::Abort);
  editor_.Log("Check connection.");
  SetBusy(false);
}

void ConnectDialog::OnDownloadTimer() {
  downloadTimer_->Stop();
  const MsgResult r = editor_.ui().MessageBox("!! File sending not completed !!\nCheck connection.",
                                              MsgIcon::Error, MsgButtons::AbortRetry);
  editor_.transfers().sequenceRunning = false;
  if (r == MsgResult::Retry) {
    editor_.discovery().StartSearch();
  } else {
    CancelClick();
    editor_.Log("Check connection.");
  }
  SetBusy(false);
}

void ConnectDialog::CancelClick() {
  Transfers& t = editor_.transfers();
  t.receiveCancelled = true;
  t.stopServing = true;
  editor_.ui().ProgressClose();
  t.LogConnected();
  t.receiver.FreeBuffer();
  SetBusy(false);
}

void ConnectDialog::UpdateClick() {
  if (!UnitSelected()) return;
  editor_.transfers().stopServing = false;
  editor_.ui().ProgressCaption("Updating Software..");
  StartFirmwareUpdate(editor_);
}

}  // namespace korvan
