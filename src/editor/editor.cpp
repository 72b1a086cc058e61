#include "editor/editor.h"

#include "transfer/factory_bank.h"
#include "transfer/filer.h"

namespace korvan {

Editor::Editor(Ui& ui, Scheduler& scheduler, LinkEnvironment env)
    : ui_(ui),
      scheduler_(scheduler),
      model_(this),
      texter_(ui, env.logFolder),
      port_(env.ports ? *env.ports : noPorts_, scheduler, texter_, env.watcher),
      sender_(port_, texter_, identity_),
      discovery_(port_, sender_, texter_, ui, scheduler, *this, identity_),
      dispatcher_(texter_, port_, discovery_, *this, ui),
      parser_(port_, texter_, dispatcher_),
      live_(model_, port_, sender_, texter_),
      errorPopup_(ui, scheduler),
      status_(ui, errorPopup_, identity_),
      replyTimers_(scheduler),
      presets_(model_, this),
      chunks_(*this),
      files_(*this),
      transfers_(*this),
      connect_(*this),
      mainTimer_(*this, scheduler) {
  if (env.backupFolder) backups_ = std::make_unique<BackupStore>(*env.backupFolder);
  port_.SetTickHandler([this] { parser_.ReceiveTick(); });
  status_.SetOnNoEqBands([this] { QuickSynchronize(); });
  presets_.InitNameLists();
  presets_.InitSnapshots();
  presets_.InitDefaultPreset();
  ReadFactoryBank();
}

void Editor::ReadFactoryBank() {
  Filer f(*this);
  f.fileType = 0;
  f.medium = kMediumBuiltIn;
  const std::span<const uint8_t> bank = FactoryBank();
  f.buffer.assign(bank.begin(), bank.end());
  f.size = static_cast<unsigned>(bank.size());
  f.Unpack();
}

Editor::~Editor() {
  port_.ClosePort();
}

bool Editor::QueueForSend(MCtrl& control) {
  return live_.QueueForSend(control);
}

void Editor::ShowErrorPopup(const std::string&, const std::string&) {
  // The model refuses with "Cannot change Parameter" / "Parameter is locked", which are the
  // popup's texts for ErrorType 12.
  status_.ShowLockedRefusal();
}

bool Editor::RefuseWhileLocked() {
  if (status_.LockState == 0) return false;
  status_.ShowLockedRefusal();
  return true;
}

void Editor::SendStatusRequest() {
  if (sender_.SendStatusRequest(status_.dynSelector, status_.limSelector))
    replyTimers_.VuTimer().Start(ReplyTimers::kVuMs);
}

bool Editor::ReplyTimerRunning() const {
  return replyTimers_.AnyRunning() || discovery_.SearchTimerRunning();
}

void Editor::OnStatusFrame(std::span<const uint8_t> frame) {
  replyTimers_.VuTimer().Stop();
  status_.OnStatusFrame(frame);
}

void Editor::OnParamChangesFrame(std::span<const uint8_t> frame) {
  live_.OnParamChangesFrame(frame);
}

MsgResult Editor::MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) {
  return ui_.MessageBox(text, icon, buttons);
}

void Editor::SetBusy(bool busy) {
  connect_.SetBusy(busy);
}

void Editor::SyncToPcExecute() {
  if (RemoteMode() == 0) return;
  ++syncToPcRequests_;
  if (LockState() != 0) {
    ui_.MessageBox(identity_.current.name + "\n\nis locked !", MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  transfers_.stopServing = false;
  transfers_.sequenceRunning = false;
  transfers_.sendingSet = kSetCurrent;
  transfers_.SendDataSet(discovery_.linkKind, kSetCurrent);
}

void Editor::SyncToKVNExecute() {
  if (RemoteMode() == 0) return;
  transfers_.receiveCancelled = false;
  transfers_.sequenceRunning = false;
  transfers_.receivingSet = kSetCurrent;
  transfers_.ReceiveDataSet(discovery_.linkKind, kSetCurrent);
}

void Editor::KeepEditorCopy(int code) {
  if (!backups_ || (code != kSetCard && code != kSetInternal && code != kSetCurrent)) return;
  Filer f(*this);
  f.fileType = Transfers::FileTypeOf(code);
  f.medium = code == kSetCard ? kMediumDisk : kMediumSerial;  // which bank is packed
  f.Pack();
  if (f.error || f.size == 0) return;
  std::string error;
  const std::string path = backups_->Keep(std::string("editor-") + DataSetName(code), f.fileType,
                                          std::span<const uint8_t>(f.buffer.data(), f.size), error);
  if (!path.empty()) backupsKept_.push_back(path);
  Log(path.empty() ? "Backup failed: " + error : "Backup: " + path);
}

void Editor::KeepUnitCopy(int code, std::span<const uint8_t> image) {
  if (!backups_) return;
  std::string error;
  const std::string prefix =
      "unit" + std::to_string(identity_.current.deviceNumber + 1) + "-" + DataSetName(code);
  const std::string path = backups_->Keep(prefix, Transfers::FileTypeOf(code), image, error);
  if (!path.empty()) backupsKept_.push_back(path);
  Log(path.empty() ? "Backup failed: " + error : "Backup: " + path);
}

void Editor::Log(const std::string& line) {
  texter_.Print("%s", line.c_str());
}

}  // namespace korvan
