#pragma once
// SendQueue: the controls waiting to be sent to the unit, first in first out, linked through
// each control's nextToSend. A queued control carries DO_SEND; the entry holds no value, so the
// value sent is the one the control has when it is taken out.

#include "model/mctrl.h"

namespace korvan {

class SendQueue {
 public:
  // Appends c at the tail. The caller makes sure c is not queued already (its DO_SEND bit).
  void Append(MCtrl& c);
  // Takes the head out; null when empty. Clears the tail once the queue is empty.
  MCtrl* TakeFront();
  bool Empty() const { return head_ == nullptr; }

 private:
  MCtrl* head_ = nullptr;
  MCtrl* tail_ = nullptr;
};

}  // namespace korvan
