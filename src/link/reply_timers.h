#pragma once
// The connect dialog's reply timers besides the search's TimeoutTimer (which Discovery owns):
// VuTimer for the status request, UploadTimer and DownloadTimer for block transfers, SendTimer
// for the pause between data sets. All are one-shot; each expiry first stops its own timer and
// then runs the handler its user set (VuTimer's expiry does nothing more).

#include <functional>
#include <memory>

#include "core/scheduler.h"

namespace korvan {

class ReplyTimers {
 public:
  static constexpr int kVuMs = 4000;
  static constexpr int kUploadMs = 5000;
  static constexpr int kDownloadMs = 5000;
  static constexpr int kSendMs = 500;

  explicit ReplyTimers(Scheduler& scheduler);

  Timer& VuTimer() { return *vu_; }
  Timer& UploadTimer() { return *upload_; }
  Timer& DownloadTimer() { return *download_; }
  Timer& SendTimer() { return *send_; }

  void SetOnUploadExpiry(std::function<void()> f) { onUpload_ = std::move(f); }
  void SetOnDownloadExpiry(std::function<void()> f) { onDownload_ = std::move(f); }
  void SetOnSendExpiry(std::function<void()> f) { onSend_ = std::move(f); }

  // True while one of the four waits for an answer or a pause.
  bool AnyRunning() const;

 private:
  std::unique_ptr<Timer> vu_, upload_, download_, send_;
  std::function<void()> onUpload_, onDownload_, onSend_;
};

}  // namespace korvan
