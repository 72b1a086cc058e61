#include "editor/editor.h"

#include "transfer/factory_bank.h"
#include "transfer/filer.h"

namespace korvan {

Editor::Editor(Ui& ui, Scheduler& scheduler)
    : ui_(ui),
      scheduler_(scheduler),
      model_(this),
      presets_(model_, this),
      chunks_(*this),
      files_(*this) {
  presets_.InitNameLists();
  presets_.InitSnapshots();
  presets_.InitDefaultPreset();
  ReadFactoryBank();
}

Editor::~Editor() = default;

void Editor::ReadFactoryBank() {
  Filer f(*this);
  f.fileType = 0;
  f.medium = kMediumBuiltIn;
  const std::span<const uint8_t> bank = FactoryBank();
  f.buffer.assign(bank.begin(), bank.end());
  f.size = static_cast<unsigned>(bank.size());
  f.Unpack();
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

void Editor::SyncToPcExecute() {
  if (remoteMode_ == 0) return;
  ++syncToPcRequests_;
}

void Editor::Log(const std::string&) {}

}  // namespace korvan
