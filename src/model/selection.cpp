#include "model/selection.h"

#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {
namespace {

bool IsChannelId(int modix) {
  return modix >= kFirstInputModix && modix < kFirstOutputModix + kOutputCount;
}

void MarkPartners(Model& model, const Modul& m, int state) {
  if (m.partnerIds[0] == -1) return;
  for (int id : m.partnerIds)
    if (IsChannelId(id)) SetSelectState(model, model.Module(id), state);
}

void MarkGroup(Model& model, int selected, int state, int partnerState) {
  if (!IsChannelId(selected)) return;
  Modul& m = model.Module(selected);
  SetSelectState(model, m, state);
  MarkPartners(model, m, partnerState);
}

bool IsPartner(const Modul& m, int modix) {
  for (int id : m.partnerIds)
    if (id == modix) return true;
  return false;
}

}  // namespace

void SetSelectState(Model& model, Modul& module, int state) {
  module.selectState = state;
  model.SetQuiet(module.Ctrl(mc::Select), state);
}

void DeselectCurrent(Model& model) {
  MarkGroup(model, model.SelectedModule, kNotSelected, kNotSelected);
}

void ReselectCurrent(Model& model) {
  MarkGroup(model, model.SelectedModule, kSelected, kPartnerOfSelected);
}

void SelectModule(Model& model, Modul& m, int value) {
  // Only channels are selected: the setup and misc select controls are bound to nothing, and
  // the pages index their channel by SelectedModule.
  if (!m.IsChannel() || value == m.selectState) return;
  if (value == kNotSelected) {
    if (m.modix == model.SelectedModule) {
      SetSelectState(model, m, kSelected);
    } else {
      SetSelectState(model, m, kNotSelected);
      MarkPartners(model, m, kNotSelected);
    }
    return;
  }
  if (!IsPartner(m, model.SelectedModule))
    MarkGroup(model, model.SelectedModule, kNotSelected, kNotSelected);
  model.SelectedModule = m.modix;
  SetSelectState(model, m, kSelected);
  MarkPartners(model, m, kPartnerOfSelected);
}

}  // namespace korvan
