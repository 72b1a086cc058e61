#include "model/module_links.h"

#include <algorithm>
#include <array>

#include "model/control_ids.h"
#include "model/model.h"
#include "model/selection.h"

namespace korvan {
namespace {

bool IsValidGroup(const Model& model, int first, std::span<const int> others) {
  if (others.empty() || others.size() > 3) return false;
  if (first < kFirstInputModix || first >= kFirstOutputModix + kOutputCount) return false;
  const int kind = model.Module(first).moduleKind;
  for (size_t i = 0; i < others.size(); ++i) {
    const int id = others[i];
    if (id < kFirstInputModix || id >= kFirstOutputModix + kOutputCount) return false;
    if (id == first || model.Module(id).moduleKind != kind) return false;
    if (std::find(others.begin(), others.begin() + i, id) != others.begin() + i) return false;
  }
  return true;
}

void LinkOutputGroup(Model& model, std::initializer_list<int> outputs) {
  // Outputs are numbered 1..6 as the user sees them.
  std::array<int, 3> others{};
  size_t n = 0;
  const int first = kFirstOutputModix + *outputs.begin() - 1;
  for (auto it = outputs.begin() + 1; it != outputs.end(); ++it)
    others[n++] = kFirstOutputModix + *it - 1;
  LinkModules(model, first, std::span<const int>(others.data(), n));
}

}  // namespace

void UnlinkModule(Model& model, Modul& m) {
  for (MCtrl& c : m.controls) model.UnlinkControl(c);
  for (int& id : m.partnerIds) id = -1;
}

bool LinkModules(Model& model, int first, std::span<const int> others) {
  if (!IsValidGroup(model, first, others)) return false;
  const size_t n = others.size();
  Modul& f = model.Module(first);
  for (size_t i = 0; i < 3; ++i) f.partnerIds[i] = i < n ? others[i] : -1;
  for (size_t k = 0; k < n; ++k) {
    Modul& o = model.Module(others[k]);
    size_t slot = 0;
    o.partnerIds[slot++] = first;
    for (size_t j = 0; j < n; ++j)
      if (j != k) o.partnerIds[slot++] = others[j];
    while (slot < 3) o.partnerIds[slot++] = -1;
  }
  std::array<MCtrl*, 3> ctrls{};
  for (int mcix = 0; mcix < f.controlCount; ++mcix) {
    for (size_t k = 0; k < n; ++k) ctrls[k] = &model.Ctrl(others[k], mcix);
    model.LinkControls(f.Ctrl(mcix), std::span<MCtrl* const>(ctrls.data(), n));
  }
  return true;
}

bool LinkModules(Model& model, int first, std::initializer_list<int> others) {
  return LinkModules(model, first, std::span<const int>(others.begin(), others.size()));
}

void LinkInputs(Model& model) {
  for (int i = 0; i < kInputCount; ++i) UnlinkModule(model, model.InputModule(i));
  constexpr int a = kFirstInputModix, b = a + 1, c = a + 2, sum = a + 3;
  switch (model.SetupValue(mc::InStereoLink)) {
    case 1:
      LinkModules(model, a, {b});
      break;
    case 2:
      LinkModules(model, a, {b, c});
      break;
    case 3:
      LinkModules(model, a, {b, c, sum});
      break;
    default:
      break;
  }
}

void LinkOutputs(Model& model) {
  const int mode = model.SetupValue(mc::OutStereoLink) != 0 ? model.OutputConfiguration : 0;
  switch (mode) {
    case 1:
      LinkOutputGroup(model, {1, 4});
      LinkOutputGroup(model, {2, 5});
      LinkOutputGroup(model, {3, 6});
      break;
    case 2:
      LinkOutputGroup(model, {1, 2});
      LinkOutputGroup(model, {3, 4});
      LinkOutputGroup(model, {5, 6});
      break;
    case 3:
      LinkOutputGroup(model, {1, 3, 5});
      LinkOutputGroup(model, {2, 4, 6});
      break;
    default:
      // Mono, and any configuration this editor does not know: the outputs stay apart.
      for (int k = 0; k < kOutputCount; ++k) UnlinkModule(model, model.OutputModule(k));
      break;
  }
}

void OutStereoLinkChanged(Model& model) {
  DeselectCurrent(model);
  LinkOutputs(model);
  ReselectCurrent(model);
}

void InStereoLinkChanged(Model& model) {
  DeselectCurrent(model);
  LinkInputs(model);
  ReselectCurrent(model);
}

}  // namespace korvan
