#include "link/status_monitor.h"

#include <algorithm>

namespace korvan {

std::string FreeEqText(int free) {
  return "Free EQ Processing : " + std::to_string(free) + " %";
}

void StatusMonitor::OnStatusFrame(std::span<const uint8_t> frame) {
  if (frame.size() < 9) return;
  const size_t count = frame[7];
  if (count != frame.size() - 9 || count < kStatusReportSize) return;
  StatusReport r;
  std::copy_n(frame.begin() + 8, kStatusReportSize, r.begin());
  OnStatusReport(r);
}

void StatusMonitor::OnStatusReport(const StatusReport& r) {
  MeterValues m;
  for (int k = 0; k < 9; ++k) m.levels[k] = r[k] & 7;
  for (int k = 0; k < 6; ++k) m.limits[k] = (r[3 + k] & 0x20) != 0;
  if (dynSelector >= 0) {
    m.dyn[0] = r[9];
    if (r[10] <= 17) {
      m.dyn[1] = 17 - r[10];
      m.dyn[2] = 0;
    } else {
      m.dyn[1] = 0;
      m.dyn[2] = r[10] - 17;
    }
  }
  if (limSelector >= 0) {
    m.lim[0] = r[11];
    m.lim[1] = r[12];
  }
  ui_.Meters(m);

  ErrorType = r[14];
  ErrorOperation = r[15];
  if (r[14] != 0) {
    // An error report says nothing about the locks.
    ShowErrorPopup();
  } else if (r[15] != LockState) {
    LockState = r[15];
    ui_.MainStatus(1, LockState & kPageLock ? "! PAGE LOCK !" : "");
    ui_.MainStatus(2, LockState & kGlobalLock ? "! GLOBAL LOCK !" : "");
  }
  ShowFreeEqProcessing(r[13]);
  if (onReport_) onReport_(r);
}

void StatusMonitor::ShowFreeEqProcessing(int free) {
  if (free == FreeEqProcessing) return;
  FreeEqProcessing = free;
  ui_.MainStatus(0, FreeEqText(free));
}

void StatusMonitor::ShowLockedRefusal() {
  ErrorType = kErrorParameterLocked;
  ShowErrorPopup();
}

void StatusMonitor::ShowErrorPopup() {
  popup_.Show(identity_.current.name, ErrorType, ErrorOperation);
  // The editor's copy may now hold a change the unit did not take: read back what it holds.
  if (ErrorType == kErrorNoEqBands && onNoEqBands_) onNoEqBands_();
}

}  // namespace korvan
