#pragma once
// The model's links to the outside: the send queue's acceptance test, the lock state reported by
// the unit, and the boxes the model shows. Without a host the model runs stand-alone: every
// control is refused for sending, the lock state is 0, and nothing is shown.

#include <string>

#include "core/ui.h"
#include "model/mctrl.h"

namespace korvan {

class ModelHost {
 public:
  virtual ~ModelHost() = default;
  // Offers a control to the send queue; true when it was accepted.
  virtual bool QueueForSend(MCtrl& control) = 0;
  // The lock state the unit last reported (0: no lock).
  virtual int LockState() const = 0;
  // Shows the error popup (a refused change while the unit reports a lock).
  virtual void ShowErrorPopup(const std::string& line1, const std::string& line2) = 0;
  virtual MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;
};

}  // namespace korvan
