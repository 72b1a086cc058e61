#include "model/change_rules.h"

#include "model/model.h"

namespace korvan {

void RunChangeRule(Model& model, ChangeRule rule, Modul& module, int, int value) {
  switch (rule) {
    case ChangeRule::None:
      break;
    case ChangeRule::SelectModule:
      SelectModule(model, module, value);
      break;
    case ChangeRule::OutStereoLinkChanged:
      OutStereoLinkChanged(model);
      break;
    case ChangeRule::InStereoLinkChanged:
      InStereoLinkChanged(model);
      break;
    case ChangeRule::LinkDelays:
      LinkDelays(model);
      break;
    case ChangeRule::LinkCrossovers:
      LinkCrossovers(model);
      break;
    case ChangeRule::EqOnRule:
      EqOnRule(model, module, value);
      break;
    case ChangeRule::EqBandSelectRule:
      EqBandSelectRule(model, module, value);
      break;
  }
}

}  // namespace korvan
