#include "model/control_text.h"

#include "model/control_ids.h"
#include "model/list_scales.h"
#include "model/modul.h"
#include "model/scales.h"

namespace korvan {

ScaleKind ScaleOf(int modix, int mcix) {
  if (modix == kSetupModix) {
    switch (mcix) {
      case mc::Summer:
        return ScaleKind::Summer;
      case mc::ABSource:
        return ScaleKind::ABSource;
      case mc::OpMode:
        return ScaleKind::OpMode;
      case mc::InStereoLink:
        return ScaleKind::InStereoLink;
      case mc::Temperature:
        return ScaleKind::Temperature;
      case mc::DelayUnit:
        return ScaleKind::DelayUnit;
      case mc::SumGainA:
      case mc::SumGainB:
      case mc::SumGainC:
        return ScaleKind::Gain;
      default:
        return ScaleKind::None;
    }
  }
  const bool output = modix >= kFirstOutputModix && modix < kFirstOutputModix + kOutputCount;
  const bool input = modix >= kFirstInputModix && modix < kFirstInputModix + kInputCount;
  if (!input && !output) return ScaleKind::None;
  if (mcix >= mc::EqFreq(0) && mcix <= mc::EqSlope(mc::kEqBands - 1)) {
    constexpr ScaleKind band[] = {ScaleKind::Frequency, ScaleKind::Q, ScaleKind::Gain,
                                  ScaleKind::EqKind, ScaleKind::EqSlope};
    return band[(mcix - mc::EqFreq(0)) % 5];
  }
  switch (mcix) {
    case mc::Level:
    case mc::DynEqGain:
      return ScaleKind::Gain;
    case mc::LongDelay:
      return ScaleKind::LongDelay;
    case mc::DynAttack:
      return ScaleKind::Attack;
    case mc::DynRelease:
      return ScaleKind::Release;
    case mc::DynRatio:
      return ScaleKind::Ratio;
    case mc::DynThreshold:
      return ScaleKind::DynThreshold;
    case mc::DynEqFreq:
      return ScaleKind::Frequency;
    case mc::DynEqQ:
      return ScaleKind::Q;
    case mc::DynEqKind:
      return ScaleKind::EqKind;
    case mc::DynEqSlope:
      return ScaleKind::EqSlope;
    default:
      break;
  }
  if (!output) return ScaleKind::None;
  switch (mcix) {
    case mc::BandName:
      return ScaleKind::BandName;
    case mc::Routing:
      return ScaleKind::Routing;
    case mc::HPType:
      return ScaleKind::HPType;
    case mc::LPType:
      return ScaleKind::LPType;
    case mc::HPFreq:
    case mc::LPFreq:
      return ScaleKind::Frequency;
    case mc::LimitThreshold:
      return ScaleKind::LimiterThreshold;
    case mc::LimitRelease:
      return ScaleKind::Release;
    case mc::Phase:
      return ScaleKind::Phase;
    case mc::ShortDelay:
      return ScaleKind::ShortDelay;
    default:
      return ScaleKind::None;
  }
}

std::string ControlValueText(int modix, int mcix, int value, const TextContext& context) {
  const NumberFormat& f = context.format;
  switch (ScaleOf(modix, mcix)) {
    case ScaleKind::None:
      return {};
    case ScaleKind::Gain:
      return GainScale::Format(value, f);
    case ScaleKind::Frequency:
      return FrequencyScale::Format(value, f);
    case ScaleKind::Q:
      return QScale::Format(value, f);
    case ScaleKind::Attack:
      return AttackScale::Format(value, f);
    case ScaleKind::Release:
      return ReleaseScale::Format(value, f);
    case ScaleKind::DynThreshold:
      return DynThresholdScale::Format(value, f);
    case ScaleKind::LimiterThreshold:
      return LimiterThresholdScale::Format(value, f);
    case ScaleKind::Ratio:
      return RatioScale::Format(value);
    case ScaleKind::Phase:
      return PhaseScale::Format(value);
    case ScaleKind::Temperature:
      return TemperatureScale::Format(value, context.delayUnit);
    case ScaleKind::LongDelay:
      return context.delays.FormatLongDelay(value);
    case ScaleKind::ShortDelay:
      return context.delays.FormatShortDelay(value);
    case ScaleKind::Summer:
      return SummerScale.Format(value);
    case ScaleKind::ABSource:
      return ABSourceScale.Format(value);
    case ScaleKind::OpMode:
      return OpModeScale.Format(value);
    case ScaleKind::InStereoLink:
      return InStereoLinkScale.Format(value);
    case ScaleKind::DelayUnit:
      return DelayUnitScale.Format(value);
    case ScaleKind::Routing:
      return RoutingScale.Format(value);
    case ScaleKind::BandName:
      return BandNameScale.Format(value);
    case ScaleKind::HPType:
      return HPTypeScale.Format(value);
    case ScaleKind::LPType:
      return LPTypeScale.Format(value);
    case ScaleKind::EqKind:
      return EqKindScale.Format(value);
    case ScaleKind::EqSlope:
      return EqSlopeScale.Format(value);
  }
  return {};
}

}  // namespace korvan
