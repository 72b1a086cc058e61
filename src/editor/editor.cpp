#include "editor/editor.h"

namespace korvan {

Editor::Editor(Ui& ui, Scheduler& scheduler) : ui_(ui), scheduler_(scheduler), model_(this) {}

Editor::~Editor() = default;

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

}  // namespace korvan
