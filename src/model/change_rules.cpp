#include "model/change_rules.h"

#include "model/model.h"

namespace korvan {

void RunChangeRule(Model&, ChangeRule, Modul&, int, int) {}

void ApplyOutputConfiguration(Model& model) {
  model.OutputConfiguration = model.SetupValue(5);
}

}  // namespace korvan
