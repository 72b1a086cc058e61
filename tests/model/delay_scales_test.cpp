#include "model/delay_scales.h"

#include <gtest/gtest.h>

#include "model/control_ids.h"
#include "model/control_text.h"
#include "support/model_fixture.h"

namespace korvan {
namespace {

const NumberFormat kPoint{'.'};
const NumberFormat kComma{','};

DelayScales Time(int temperatureStep, bool correction = true, NumberFormat f = kPoint) {
  return DelayScales(DelayDisplay::Time, TimeStepSizes(correction, temperatureStep), f);
}
DelayScales Distance(DelayDisplay d, NumberFormat f = kPoint) {
  return DelayScales(d, TimeStepSizes(true, 40), f);
}

TEST(DelayScalesTest, StepSizesFollowTheSpeedOfSound) {
  const DelayTimeSteps at20 = TimeStepSizes(true, 40);
  EXPECT_EQ(at20.longMs, 0.14556041f);
  EXPECT_EQ(at20.shortMs, 0.0058224164f);
  // Without the correction the 20 °C sizes hold at every temperature.
  for (int t : {0, 40, 70}) {
    EXPECT_EQ(TimeStepSizes(false, t).longMs, at20.longMs) << t;
    EXPECT_EQ(TimeStepSizes(false, t).shortMs, at20.shortMs) << t;
  }
  // Temperature steps out of range are clamped.
  EXPECT_EQ(TimeStepSizes(true, -5).longMs, TimeStepSizes(true, 0).longMs);
  EXPECT_EQ(TimeStepSizes(true, 500).longMs, TimeStepSizes(true, 70).longMs);
}

TEST(DelayScalesTest, TextsInEveryDisplayUnit) {
  struct Case {
    std::string got;
    const char* want;
  } cases[] = {
      {Time(40).FormatLongDelay(4000), "582.24 ms"},
      {Time(40).FormatShortDelay(2000), "11.64 ms"},
      {Time(0).FormatLongDelay(4000), "625.98 ms"},
      {Time(0, false).FormatLongDelay(4000), "582.24 ms"},
      {Time(70).FormatLongDelay(4000), "553.25 ms"},
      {Time(40).FormatLongDelay(0), "0.00 ms"},
      {Time(40, true, kComma).FormatLongDelay(4000), "582,24 ms"},
      {Distance(DelayDisplay::Metric).FormatLongDelay(0), "0.00 m"},
      {Distance(DelayDisplay::Metric).FormatLongDelay(30), "1.50 m"},
      {Distance(DelayDisplay::Metric).FormatLongDelay(4000), "200.00 m"},
      {Distance(DelayDisplay::Metric).FormatShortDelay(62), "124 mm"},
      {Distance(DelayDisplay::Metric).FormatShortDelay(2000), "4000 mm"},
      {Distance(DelayDisplay::Imperial).FormatLongDelay(4000), "656.20 ft"},
      {Distance(DelayDisplay::Imperial).FormatShortDelay(2000), "157.48 inch"},
      {Distance(DelayDisplay::Imperial, kComma).FormatShortDelay(1), "0,08 inch"},
      {Time(40).FormatLongDelay(-3), "0.00 ms"},       // clamped
      {Time(40).FormatShortDelay(99999), "11.64 ms"},  // clamped
      {DelayScales::FormatPhase(9), "45 °"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << i;
}

TEST(DelayScalesTest, TypedDelaysGiveTheirSteps) {
  const DelayScales metric = Distance(DelayDisplay::Metric);
  const DelayScales imperial = Distance(DelayDisplay::Imperial);
  const DelayScales time = Time(40);
  struct Case {
    const DelayScales& scales;
    const char* text;
    DelayKind kind;
    std::optional<int> steps;
  } cases[] = {
      {metric, "1,5 m", DelayKind::Long, 30},
      {metric, "1.5 m", DelayKind::Long, 30},
      {metric, "1.5m", DelayKind::Long, 30},
      {metric, "1.52 m", DelayKind::Long, 30},
      {metric, "1.53 m", DelayKind::Long, 31},
      {metric, "300 m", DelayKind::Long, 4000},
      {metric, "-5", DelayKind::Long, 0},
      {metric, "125", DelayKind::Short, 62},
      {metric, "125 mm", DelayKind::Short, 62},
      {metric, "1 m", DelayKind::Short, {}},
      {metric, "abc", DelayKind::Long, {}},
      {metric, "9999", DelayKind::Short, 2000},
      {imperial, "656.2 ft", DelayKind::Long, 4000},
      {imperial, "0.08 inch", DelayKind::Short, 1},
      {time, "582.24 ms", DelayKind::Long, 4000},
      {time, " 0,15 ", DelayKind::Long, 1},
      {time, "11.65 ms", DelayKind::Short, 2000},
  };
  for (const NumberFormat& f : {kPoint, kComma}) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      const DelayScales s(c.scales.Display(), TimeStepSizes(true, 40), f);
      EXPECT_EQ(s.ReadDelay(c.text, c.kind), c.steps) << i << " \"" << c.text << '"';
    }
  }
  EXPECT_EQ(time.ParseDelay("x", DelayKind::Long, 17), 17);
  EXPECT_EQ(DelayScales::ReadPhase("47"), 9);
  EXPECT_EQ(DelayScales::ReadPhase("200 °"), 36);
  EXPECT_EQ(DelayScales::ReadPhase("4,5"), std::nullopt);
}

// Long delays round to the nearest step, so a shown text reads back to its step. Short delays
// truncate: metric texts are exact, the others may read back one step lower.
TEST(DelayScalesTest, ShownDelaysReadBack) {
  for (const NumberFormat& f : {kPoint, kComma}) {
    for (int temp : {0, 13, 40, 70}) {
      for (bool correction : {false, true}) {
        for (DelayDisplay d : {DelayDisplay::Time, DelayDisplay::Metric, DelayDisplay::Imperial}) {
          const DelayScales s(d, TimeStepSizes(correction, temp), f);
          for (int v = 0; v <= kLongDelayMax; ++v)
            ASSERT_EQ(s.ReadDelay(s.FormatLongDelay(v), DelayKind::Long), v)
                << s.FormatLongDelay(v) << " at temperature step " << temp;
          for (int v = 0; v <= kShortDelayMax; ++v) {
            const std::optional<int> back = s.ReadDelay(s.FormatShortDelay(v), DelayKind::Short);
            ASSERT_TRUE(back);
            if (d == DelayDisplay::Metric)
              ASSERT_EQ(*back, v);
            else
              ASSERT_TRUE(*back == v || *back == v - 1) << s.FormatShortDelay(v) << " -> " << *back;
          }
        }
      }
    }
  }
}

using DelayModelTest = test::ModelTest;

// The sizes are read from setup controls 10 and 11 whenever they are asked for, however the
// controls got their values.
TEST_F(DelayModelTest, StepSizesFollowTheModelsCurrentSetup) {
  MCtrl& correction = model.Setup(mc::TempCorrection);
  MCtrl& temperature = model.Setup(mc::Temperature);
  auto longText = [&] { return DelayScales::ForModel(model, false).FormatLongDelay(4000); };

  // Start-up: the values correction on at 20 °C gives.
  EXPECT_EQ(TimeStepSizes(model).longMs, TimeStepSizes(true, 40).longMs);
  EXPECT_EQ(TimeStepSizes(model).shortMs, TimeStepSizes(true, 40).shortMs);
  EXPECT_EQ(longText(), "582.24 ms");

  model.ApplyReceived(temperature, 0);  // from the unit, correction still off
  EXPECT_EQ(longText(), "582.24 ms");
  model.EditValue(correction, 1);
  EXPECT_EQ(longText(), "625.98 ms");
  model.StoreDirect(temperature, 40);  // as a loaded set or recalled preset writes it
  EXPECT_EQ(longText(), "582.24 ms");
  model.SetValue(temperature, 0, NOTIFY_FROM_IMAGE);
  model.ApplyReceived(correction, 0);
  EXPECT_EQ(longText(), "582.24 ms");
}

TEST_F(DelayModelTest, DistanceDisplayFollowsTheDelayUnit) {
  MCtrl& unit = model.Setup(mc::DelayUnit);
  EXPECT_EQ(DelayScales::ForModel(model, true).Display(), DelayDisplay::Metric);
  model.ApplyReceived(unit, 1);
  EXPECT_EQ(DelayScales::ForModel(model, true).Display(), DelayDisplay::Imperial);
  EXPECT_EQ(DelayScales::ForModel(model, true).FormatLongDelay(4000), "656.20 ft");
  EXPECT_EQ(DelayScales::ForModel(model, false).Display(), DelayDisplay::Time);
}

TEST(ControlTextTest, EachControlShowsThroughItsScale) {
  TextContext ctx;
  ctx.delayUnit = 1;
  ctx.delays = DelayScales(DelayDisplay::Time, TimeStepSizes(true, 0));
  struct Case {
    int modix, mcix, value;
    const char* text;
  } cases[] = {
      {0, mc::Temperature, 40, "68 °F"},
      {0, mc::SumGainB, 157, "0.7 dB"},
      {0, mc::OpMode, 1, "LMH LMH"},
      {0, mc::TempCorrection, 1, ""},
      {0, mc::Setup18, 5, ""},
      {1, mc::Level, 0, "-15 dB"},
      {1, mc::LongDelay, 4000, "625.98 ms"},
      {2, mc::EqFreq(8), 179, "979 Hz"},
      {3, mc::EqQ(4), 13, "0.45"},
      {4, mc::EqGain(0), 300, "15 dB"},
      {4, mc::EqKind(3), 0, "Low Shelving"},
      {4, mc::EqSlope(7), 1, "12 dB/Oct "},
      {1, mc::DynRatio, 15, "INF"},
      {1, mc::DynThreshold, 593, "-0.7 dB"},
      {1, mc::DynAttack, 83, "99 ms"},
      {1, mc::EqBandsShown, 3, ""},
      {1, mc::Routing, 1, ""},  // inputs have no routing
      {5, mc::Routing, 3, "Sum"},
      {6, mc::LPType, 7, "Bes 24 "},
      {7, mc::HPFreq, 180, "1 kHz"},
      {8, mc::LimitThreshold, 0, "-24 dB"},
      {9, mc::LimitRelease, 141, "406 ms"},
      {10, mc::Phase, 36, "180 °"},
      {10, mc::ShortDelay, 0, "0.00 ms"},
      {10, mc::InvPolarity, 1, ""},
      {11, mc::Select, 0, ""},
      {12, 2, 0, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ControlValueText(c.modix, c.mcix, c.value, ctx), c.text) << c.modix << ':' << c.mcix;
}

}  // namespace
}  // namespace korvan
