#pragma once
// What the unit's status reports tell: meters, limiter flags, the dynamics and limiter gain
// meters, the free EQ processing figure, the panel and global locks, and errors of operations
// the unit refused (shown in the error popup).

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/ui.h"
#include "link/error_popup.h"
#include "link/identity.h"

namespace korvan {

inline constexpr int kStatusReportSize = 16;
// Lock bits of a report without error.
inline constexpr int kPageLock = 0x01;
inline constexpr int kGlobalLock = 0x02;
// A meter selector while its page is hidden (and, for the limiter, -1 with the limiter off).
inline constexpr int kMeterHidden = -2;
inline constexpr int kLimiterOff = -1;

using StatusReport = std::array<uint8_t, kStatusReportSize>;

class StatusMonitor {
 public:
  StatusMonitor(Ui& ui, ErrorPopup& popup, const UnitIdentity& identity)
      : ui_(ui), popup_(popup), identity_(identity) {}

  // A whole SYSEX_STATUS frame: read when its count matches its length and holds a full
  // report (a shorter one is ignored).
  void OnStatusFrame(std::span<const uint8_t> frame);
  void OnStatusReport(const StatusReport& r);

  // The popup for a change refused here while the unit is locked: ErrorType 12.
  void ShowLockedRefusal();
  // Shows the popup for ErrorType and ErrorOperation as they are.
  void ShowErrorPopup();

  // Runs after the popup was shown for "Not enough EQ-bands available".
  void SetOnNoEqBands(std::function<void()> f) { onNoEqBands_ = std::move(f); }
  // Runs after every report was taken in.
  void SetReportListener(std::function<void(const StatusReport&)> f) { onReport_ = std::move(f); }

  // Program-wide values kept from the reports.
  int LockState = 0;
  int FreeEqProcessing = 100;  // percent free; also written by the stand-alone estimate
  int ErrorType = 0;
  int ErrorOperation = 0;
  // Meter selectors sent in the status request, set by the Dyn 2 and Limiter pages.
  int dynSelector = kMeterHidden;  // 0..9 channel shown on the Dyn 2 page
  int limSelector = kMeterHidden;  // 0..5 output shown on the Limiter page, -1 limiter off

  // Writes the free figure to the status bar when it differs from the one shown.
  void ShowFreeEqProcessing(int free);

 private:
  Ui& ui_;
  ErrorPopup& popup_;
  const UnitIdentity& identity_;
  std::function<void()> onNoEqBands_;
  std::function<void(const StatusReport&)> onReport_;
};

// "Free EQ Processing : " + free + " %"
std::string FreeEqText(int free);

}  // namespace korvan
