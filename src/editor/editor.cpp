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
      presets_(model_, this),
      chunks_(*this),
      files_(*this) {
  port_.SetTickHandler([this] { parser_.ReceiveTick(); });
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

bool Editor::QueueForSend(MCtrl&) {
  // Stand-alone: nothing is exchanged with a unit, so nothing is queued for sending.
  return false;
}

void Editor::ShowErrorPopup(const std::string& line1, const std::string& line2) {
  ui_.ShowErrorPopup(line1, line2);
}

MsgResult Editor::MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) {
  return ui_.MessageBox(text, icon, buttons);
}

void Editor::SetBusy(bool busy) {
  busy_ = busy;
  ui_.BusyCursor(busy);
}

void Editor::SyncToPcExecute() {
  if (remoteMode_ == 0) return;
  ++syncToPcRequests_;
}

void Editor::Log(const std::string& line) {
  texter_.Print("%s", line.c_str());
}

}  // namespace korvan
