#include "link/reply_timers.h"

namespace korvan {
namespace {

std::unique_ptr<Timer> OneShot(Scheduler& scheduler, std::unique_ptr<Timer>& self,
                               std::function<void()>* handler) {
  return scheduler.CreateTimer(TimerKind::OneShot, [&self, handler] {
    self->Stop();
    if (handler && *handler) (*handler)();
  });
}

}  // namespace

ReplyTimers::ReplyTimers(Scheduler& scheduler) {
  vu_ = OneShot(scheduler, vu_, nullptr);
  upload_ = OneShot(scheduler, upload_, &onUpload_);
  download_ = OneShot(scheduler, download_, &onDownload_);
  send_ = OneShot(scheduler, send_, &onSend_);
}

bool ReplyTimers::AnyRunning() const {
  return vu_->Running() || upload_->Running() || download_->Running() || send_->Running();
}

}  // namespace korvan
