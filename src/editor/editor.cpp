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
      mainTimer_(*this, scheduler) {
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
  busy_ = busy;
  ui_.BusyCursor(busy);
}

void Editor::SyncToPcExecute() {
  if (RemoteMode() == 0) return;
  ++syncToPcRequests_;
}

void Editor::Log(const std::string& line) {
  texter_.Print("%s", line.c_str());
}

}  // namespace korvan
