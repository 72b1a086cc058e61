#pragma once
// One editor session: owns the parameter model and (as they are built) the device link and the
// transfer engine, with every piece of program-wide state. Two editors share nothing.

#include <string>

#include "core/scheduler.h"
#include "core/ui.h"
#include "model/model.h"

namespace korvan {

class Editor : public ModelHost {
 public:
  // ui and scheduler must outlive the editor.
  Editor(Ui& ui, Scheduler& scheduler);
  ~Editor() override;
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  Model& model() { return model_; }
  const Model& model() const { return model_; }
  Ui& ui() { return ui_; }
  Scheduler& scheduler() { return scheduler_; }

  // ModelHost: the model's links to the send queue, the unit's lock state and the user.
  bool QueueForSend(MCtrl& control) override;
  int LockState() const override { return lockState_; }
  void ShowErrorPopup(const std::string& line1, const std::string& line2) override;
  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;

  // The lock state the unit reported last (0: none).
  void SetLockState(int state) { lockState_ = state; }

 private:
  Ui& ui_;
  Scheduler& scheduler_;
  Model model_;
  int lockState_ = 0;
};

}  // namespace korvan
