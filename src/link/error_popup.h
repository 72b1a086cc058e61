#pragma once
// TErrorPopup: the small stay-on-top box that shows an error of the unit, or a change refused
// because the unit is locked. It names the unit, says what failed ("reports :") and why
// ("due to :"), and closes itself after AutoPopTimer's 4 seconds.

#include <memory>
#include <string>

#include "core/scheduler.h"
#include "core/ui.h"

namespace korvan {

// ErrorType of a change the editor refused itself while the unit is locked.
inline constexpr int kErrorParameterLocked = 12;
// ErrorType after which the editor re-reads the unit's current set.
inline constexpr int kErrorNoEqBands = 13;

// "reports :" text of an ErrorOperation, and "due to :" text of an ErrorType.
std::string ErrorOperationText(int errorOperation);
std::string ErrorReasonText(int errorType);

class ErrorPopup {
 public:
  static constexpr int kAutoPopMs = 4000;

  ErrorPopup(Ui& ui, Scheduler& scheduler);

  // Shows (or refreshes, when visible) the texts for errorType and errorOperation, and
  // restarts AutoPopTimer.
  void Show(const std::string& unitName, int errorType, int errorOperation);
  // Closes the popup and stops AutoPopTimer.
  void Close();

  bool Visible() const { return visible_; }
  bool AutoPopTimerRunning() const { return autoPopTimer_->Running(); }

 private:
  Ui& ui_;
  std::unique_ptr<Timer> autoPopTimer_;
  bool visible_ = false;
};

}  // namespace korvan
