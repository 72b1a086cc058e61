// The module constructors: every configured control of every module kind.

#include "model/control_ids.h"
#include "model/modul.h"

namespace korvan {

const char* ChangeRuleName(ChangeRule rule) {
  switch (rule) {
    case ChangeRule::None: return "-";
    case ChangeRule::SelectModule: return "SelectModule";
    case ChangeRule::OutStereoLinkChanged: return "OutStereoLinkChanged";
    case ChangeRule::InStereoLinkChanged: return "InStereoLinkChanged";
    case ChangeRule::LinkDelays: return "LinkDelays";
    case ChangeRule::LinkCrossovers: return "LinkCrossovers";
    case ChangeRule::EqOnRule: return "EqOnRule";
    case ChangeRule::EqBandSelectRule: return "EqBandSelectRule";
  }
  return "-";
}

void Configure(MCtrl& c, ChangeRule onChange, int flags, int steps, int defaultValue, int group) {
  c.maxStep = steps - 1;
  c.value = c.previousValue = c.defaultValue = c.resetValue = defaultValue;
  c.onChange = onChange;
  c.flags = flags | MC_ENABLED | ((flags & MC_STORED) ? MC_SEND : 0);
  c.group = group;
}

Modul::Modul(int modix_, int kindIndex_, int moduleKind_, int controlCount_)
    : modix(modix_),
      kindIndex(kindIndex_),
      moduleKind(moduleKind_),
      controlCount(controlCount_),
      controls(controlCount_) {
  for (int i = 0; i < controlCount; ++i) {
    controls[i].modix = modix;
    controls[i].mcix = i;
  }
  Configure(controls[mc::Select], ChangeRule::SelectModule, 0x07, 4, 0, 0);
}

void Modul::CountStored() {
  storedCount = 0;
  for (const MCtrl& c : controls)
    if (c.Stored()) ++storedCount;
}

namespace {
constexpr ChangeRule kNone = ChangeRule::None;
}

MSetup::MSetup() : Modul(kSetupModix, 0, kKindSetup, 26) {
  using R = ChangeRule;
  Configure(Ctrl(mc::Summer), kNone, 0x15, 7, 0, 0x2);
  Configure(Ctrl(mc::ABSource), kNone, 0x15, 2, 0, 0x800);
  Configure(Ctrl(mc::Setup4), kNone, 0x15, 2, 0, 0x800);
  Configure(Ctrl(mc::OpMode), kNone, 0x15, 4, 1, 0x800);
  Configure(Ctrl(mc::OutStereoLink), R::OutStereoLinkChanged, 0x15, 2, 0, 0x800);
  Configure(Ctrl(mc::InStereoLink), R::InStereoLinkChanged, 0x14, 4, 1, 0x800);
  Configure(Ctrl(mc::DelayLink), R::LinkDelays, 0x10, 2, 0, 0x400);
  Configure(Ctrl(mc::XOverLink), R::LinkCrossovers, 0x11, 2, 1, 0x80);
  Configure(Ctrl(mc::TempCorrection), kNone, 0x15, 2, 0, 0x1000);
  Configure(Ctrl(mc::Temperature), kNone, 0x14, 71, 40, 0x1000);
  Configure(Ctrl(12), kNone, 0x05, 2, 0, 0x1000);
  Configure(Ctrl(13), kNone, 0x05, 2, 1, 0x1000);
  Configure(Ctrl(14), kNone, 0x05, 2, 1, 0x1000);
  Configure(Ctrl(15), kNone, 0x05, 2, 0, 0x1000);
  Configure(Ctrl(mc::Setup16), kNone, 0x04, 2, 0, 0);
  Configure(Ctrl(mc::Setup17), kNone, 0x04, 2, 0, 0);
  Configure(Ctrl(mc::Setup18), kNone, 0x04, 10, 5, 0x4000);
  Configure(Ctrl(mc::Setup19), kNone, 0x04, 16, 0, 0x4000);
  Configure(Ctrl(mc::DelayUnit), kNone, 0x0C, 2, 0, 0x4000);
  Configure(Ctrl(mc::MuteOutsAtPowerOn), kNone, 0x0C, 2, 0, 0x4000);
  Configure(Ctrl(mc::SumGainA), kNone, 0x12, 301, 150, 0x2);
  Configure(Ctrl(mc::SumGainB), kNone, 0x12, 301, 150, 0x2);
  Configure(Ctrl(mc::SumGainC), kNone, 0x12, 301, 150, 0x2);
  Configure(Ctrl(mc::Setup25), kNone, 0x04, 3, 0, 0x4000);
  CountStored();
}

MInOut::MInOut(int modix_, int kindIndex_, int moduleKind_, int controlCount_)
    : Modul(modix_, kindIndex_, moduleKind_, controlCount_) {
  const bool output = moduleKind_ == kKindOutput;
  Configure(Ctrl(mc::Level), kNone, 0x10, 301, 150, output ? 0x40 : 0x2);
  Configure(Ctrl(mc::Mute), kNone, output ? 0x1F : 0x1B, 2, 0, 0);
  Configure(Ctrl(mc::EqOn), ChangeRule::EqOnRule, 0x10, 2, 0, 0x8);
  Configure(Ctrl(mc::EqBandsShown), kNone, 0x10, 9, 0, 0x8);
  Configure(Ctrl(mc::EqSelectedBand), ChangeRule::EqBandSelectRule, 0x10, 9, 0, 0x8);
  Configure(Ctrl(mc::DynAttack), kNone, 0x10, 110, 83, 0x20);
  Configure(Ctrl(mc::DynRelease), kNone, 0x10, 252, 151, 0x20);
  Configure(Ctrl(mc::DynRatio), kNone, 0x10, 16, 5, 0x20);
  Configure(Ctrl(mc::DynThreshold), kNone, 0x10, 601, 600, 0x20);
  Configure(Ctrl(mc::DynEqOn), kNone, 0x10, 2, 0, 0x10);
  Configure(Ctrl(mc::DynEqFreq), kNone, 0x10, 321, 180, 0x10);
  Configure(Ctrl(mc::DynEqQ), kNone, 0x10, 41, 20, 0x10);
  Configure(Ctrl(mc::DynEqGain), kNone, 0x10, 301, 150, 0x10);
  Configure(Ctrl(mc::DynEqKind), kNone, 0x10, 3, 1, 0x10);
  Configure(Ctrl(mc::DynEqSlope), kNone, 0x10, 2, 1, 0x10);
  for (int b = 0; b < mc::kEqBands; ++b) {
    Configure(Ctrl(mc::EqFreq(b)), kNone, 0x10, 321, 180, 0x8);
    Configure(Ctrl(mc::EqQ(b)), kNone, 0x10, 41, 20, 0x8);
    Configure(Ctrl(mc::EqGain(b)), kNone, 0x10, 301, 150, 0x8);
    Configure(Ctrl(mc::EqKind(b)), kNone, 0x10, 3, 1, 0x8);
    Configure(Ctrl(mc::EqSlope(b)), kNone, 0x10, 2, 1, 0x8);
  }
}

MIn::MIn(int kindIndex_) : MInOut(kFirstInputModix + kindIndex_, kindIndex_, kKindInput, 64) {
  Configure(Ctrl(mc::DelayOn), kNone, 0x10, 2, 0, 0x4);
  Configure(Ctrl(mc::LongDelay), kNone, 0x10, 4001, 0, 0x4);
  CountStored();
}

MOut::MOut(int kindIndex_) : MInOut(kFirstOutputModix + kindIndex_, kindIndex_, kKindOutput, 76) {
  Configure(Ctrl(mc::DelayOn), kNone, 0x10, 2, 0, 0x400);
  Configure(Ctrl(mc::LongDelay), kNone, 0x12, 4001, 0, 0x400);
  Configure(Ctrl(mc::BandName), kNone, 0x16, 28, 0, 0x40);
  Configure(Ctrl(mc::Routing), kNone, 0x16, 4, 0, 0x40);
  Configure(Ctrl(mc::HPType), kNone, 0x10, 11, 6, 0x80);
  Configure(Ctrl(mc::HPFreq), kNone, 0x14, 321, 180, 0x80);
  Configure(Ctrl(mc::LPType), kNone, 0x14, 11, 6, 0x80);
  Configure(Ctrl(mc::LPFreq), kNone, 0x14, 321, 180, 0x80);
  Configure(Ctrl(mc::LimitOn), kNone, 0x10, 2, 0, 0x100);
  Configure(Ctrl(mc::LimitThreshold), kNone, 0x10, 241, 240, 0x100);
  Configure(Ctrl(mc::LimitRelease), kNone, 0x10, 252, 141, 0x100);
  Configure(Ctrl(mc::InvPolarity), kNone, 0x10, 2, 0, 0x200);
  Configure(Ctrl(mc::Phase), kNone, 0x10, 37, 0, 0x200);
  Configure(Ctrl(mc::ShortDelay), kNone, 0x10, 2001, 0, 0x400);
  CountStored();
}

MDiv::MDiv() : Modul(kMiscModix, 6, kKindMisc, 2) { CountStored(); }

}  // namespace korvan
