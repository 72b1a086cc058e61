#include "editor/editor.h"

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
      parser_(port_, texter_, dispatcher_) {
  port_.SetTickHandler([this] { parser_.ReceiveTick(); });
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

}  // namespace korvan
