#include "editor/main_timer.h"

#include "editor/editor.h"
#include "link/status_monitor.h"
#include "model/processing_estimate.h"

namespace korvan {

MainTimer::MainTimer(Editor& editor, Scheduler& scheduler) : editor_(editor) {
  timer_ = scheduler.CreateTimer(TimerKind::Periodic, [this] { Tick(); });
  timer_->Start(kFirstTickMs);
}

void MainTimer::SetInterval(int ms) {
  // As a window timer does: a new interval re-arms it, the same one leaves it alone.
  if (timer_->Interval() != ms) timer_->Start(ms);
}

void MainTimer::Tick() {
  // A transfer, a search or a status exchange waits for the unit: stay off the line.
  if (editor_.ReplyTimerRunning()) return;

  Model& model = editor_.model();
  if (!model.QueueEmpty()) {
    model.ProcessChanges();  // keeps both edited flags as they were
    editor_.ui().EditedMark(model.EditedFlag || model.LoadedEditedFlag);
  }
  SetInterval(kIntervalMs);

  if (editor_.MainWindowVisible() && editor_.RemoteMode() != 0) {
    editor_.live().SendPendingChanges();
    editor_.SendStatusRequest();
    return;
  }
  if (editor_.ConnectDialogActive() && editor_.identity().current.modelCode != 0) {
    SetInterval(kConnectDialogIntervalMs);
    editor_.SendStatusRequest();
    return;
  }
  StandAlone();
}

void MainTimer::StandAlone() {
  const int s = static_cast<int>(static_cast<double>(ProcessingEstimate(editor_.model())) + 4.5);
  // Kept as the free percentage, as the unit's reports keep it, so the send pauses computed
  // from it mean the same whichever wrote it last.
  const int free = kProcessingBase - s;
  editor_.status().FreeEqProcessing = free;
  editor_.ui().MainStatus(0, FreeEqText(free));
  if (s >= kProcessingWarnAt && !warned_) {
    warned_ = true;
    timer_->Stop();
    editor_.ui().MessageBox(
        "Reaching Maximum Processing Power\n\nThis can cause problems in the KVN", MsgIcon::Warning,
        MsgButtons::Ok);
    timer_->Start(timer_->Interval());
  } else if (s <= kProcessingBase) {
    warned_ = false;
  }
}

}  // namespace korvan
