#include "model/output_configuration.h"

#include <algorithm>

#include "model/control_ids.h"
#include "model/model.h"
#include "model/module_links.h"
#include "model/selection.h"

namespace korvan {
namespace {

// Band names: 1 "Sub-Woofer" .. 6 "High", 9 "Left Low", 11 "Left Mid", 13 "Left High",
// 16 "Right Low", 18 "Right Mid", 20 "Right High"; 23 and 27 have no text. Sources 0..2 are
// inputs A..C. Frequencies are frequency-scale steps; low-pass type 6 is "But 24", 0 "Off".
constexpr OutputPreset kPresets[kOutputConfigurations][kOutputCount] = {
    {{1, 0, 0, 6, 64},
     {2, 0, 64, 6, 114},
     {3, 0, 114, 6, 166},
     {4, 0, 166, 6, 216},
     {5, 0, 216, 6, 264},
     {6, 0, 264, 0, 319}},
    {{9, 0, 0, 6, 124},
     {11, 0, 124, 6, 232},
     {13, 0, 232, 0, 319},
     {16, 1, 0, 6, 124},
     {18, 1, 124, 6, 232},
     {20, 1, 232, 0, 319}},
    {{9, 0, 0, 6, 124},
     {16, 1, 0, 6, 124},
     {11, 0, 124, 6, 232},
     {18, 1, 124, 6, 232},
     {13, 0, 232, 0, 319},
     {20, 1, 232, 0, 319}},
    {{9, 0, 0, 6, 180},
     {13, 0, 180, 0, 319},
     {23, 1, 0, 6, 180},
     {27, 1, 180, 0, 319},
     {16, 2, 0, 6, 180},
     {20, 2, 180, 0, 319}},
};

}  // namespace

const OutputPreset& OutputPresetFor(int configuration, int output) {
  return kPresets[std::clamp(configuration, 0, kOutputConfigurations - 1)]
                 [std::clamp(output, 0, kOutputCount - 1)];
}

void ApplyOutputConfiguration(Model& model) {
  DeselectCurrent(model);
  model.EqLimit = 40.0f;
  for (int k = 0; k < kOutputCount; ++k)
    model.SetValue(model.OutputModule(k).Ctrl(mc::Mute), 1, NOTIFY_FULL);
  for (int id = 0; id < kModuleCount; ++id) model.RevertAll(model.Module(id));

  model.SetValue(model.Setup(mc::InStereoLink), 0, NOTIFY_FULL);
  for (int i = 0; i < kInputCount; ++i) UnlinkModule(model, model.InputModule(i));
  model.SetValue(model.Setup(mc::OutStereoLink), 0, NOTIFY_FULL);
  for (int k = 0; k < kOutputCount; ++k) UnlinkModule(model, model.OutputModule(k));
  model.SetValue(model.Setup(mc::XOverLink), 0, NOTIFY_FULL);
  for (int k = 0; k < kOutputCount; ++k) {
    model.RingLeave(model.OutputModule(k).Ctrl(mc::HPFreq));
    model.RingLeave(model.OutputModule(k).Ctrl(mc::LPFreq));
  }
  model.SetValue(model.Setup(mc::DelayLink), 0, NOTIFY_FULL);
  for (int k = 0; k < kOutputCount; ++k) model.RingLeave(model.OutputModule(k).Ctrl(mc::LongDelay));

  // Control 5 may have been stored directly from an image or the unit; keep both in range.
  MCtrl& opMode = model.Setup(mc::OpMode);
  const int mode = opMode.Clamp(opMode.value);
  model.StoreDirect(opMode, mode);
  model.OutputConfiguration = mode;

  for (int k = 0; k < kOutputCount; ++k) {
    Modul& out = model.OutputModule(k);
    const OutputPreset& p = OutputPresetFor(mode, k);
    model.SetValue(out.Ctrl(mc::BandName), p.bandName, NOTIFY_LOCAL);
    model.SetValue(out.Ctrl(mc::Routing), p.source, NOTIFY_LOCAL);
    model.SetValue(out.Ctrl(mc::HPFreq), p.hpFreq, NOTIFY_LOCAL);
    model.SetValue(out.Ctrl(mc::LPType), p.lpType, NOTIFY_LOCAL);
    model.SetValue(out.Ctrl(mc::LPFreq), p.lpFreq, NOTIFY_LOCAL);
  }
  if (mode == 1 || mode == 2) model.SetValue(model.Setup(mc::InStereoLink), 1, NOTIFY_FULL);
  if (mode == 3) model.SetValue(model.Setup(mc::InStereoLink), 2, NOTIFY_FULL);
  if (mode != 0) model.SetValue(model.Setup(mc::OutStereoLink), 1, NOTIFY_FULL);
  model.SetValue(model.Setup(mc::XOverLink), 1, NOTIFY_FULL);
  ReselectCurrent(model);
}

}  // namespace korvan
