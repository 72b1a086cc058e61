#include "link/send_queue.h"

namespace korvan {

void SendQueue::Append(MCtrl& c) {
  c.nextToSend = nullptr;
  if (tail_)
    tail_->nextToSend = &c;
  else
    head_ = &c;
  tail_ = &c;
}

MCtrl* SendQueue::TakeFront() {
  MCtrl* c = head_;
  if (!c) return nullptr;
  head_ = c->nextToSend;
  c->nextToSend = nullptr;
  if (!head_) tail_ = nullptr;
  return c;
}

}  // namespace korvan
