#include "core/ui.h"

namespace korvan {

MsgResult FirstButton(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
      return MsgResult::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
      return MsgResult::Yes;
    case MsgButtons::AbortRetry:
    case MsgButtons::Abort:
      return MsgResult::Abort;
  }
  return MsgResult::Ok;
}

MsgResult SilentUi::MessageBox(const std::string&, MsgIcon, MsgButtons buttons) {
  return FirstButton(buttons);
}

}  // namespace korvan
