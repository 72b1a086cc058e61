#include "link/error_popup.h"

namespace korvan {

std::string ErrorOperationText(int errorOperation) {
  switch (errorOperation) {
    case 0:
      return "Cannot Recall";
    case 1:
      return "Cannot Store";
    case 2:
      return "Cannot Copy";
    case 4:
      return "Cannot Delete";
    case 5:
      return "Cannot Lock / Unlock";
    case 100:
      return "Cannot Format";
    default:
      return "Unkown Error";
  }
}

std::string ErrorReasonText(int errorType) {
  switch (errorType) {
    case 3:
      return "Card not Found";
    case 9:
      return "Preset is Locked";
    case 10:
      return "Destination Preset is Locked";
    case 11:
      return "Destination Preset(s) is Locked";
    case kErrorParameterLocked:
      return "Parameter is locked";
    case kErrorNoEqBands:
      return "Not enough EQ-bands available";
    default:
      return "Card Error";
  }
}

ErrorPopup::ErrorPopup(Ui& ui, Scheduler& scheduler) : ui_(ui) {
  autoPopTimer_ = scheduler.CreateTimer(TimerKind::OneShot, [this] { Close(); });
}

void ErrorPopup::Show(const std::string& unitName, int errorType, int errorOperation) {
  std::string what = ErrorOperationText(errorOperation);
  if (errorType == kErrorParameterLocked || errorType == kErrorNoEqBands)
    what = "Cannot change Parameter";
  visible_ = true;
  ui_.ShowErrorPopup(unitName, what, ErrorReasonText(errorType));
  autoPopTimer_->Start(kAutoPopMs);
}

void ErrorPopup::Close() {
  autoPopTimer_->Stop();
  if (!visible_) return;
  visible_ = false;
  ui_.HideErrorPopup();
}

}  // namespace korvan
