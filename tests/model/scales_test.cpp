#include "model/scales.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/list_scales.h"

namespace korvan {
namespace {

const NumberFormat kPoint{'.'};
const NumberFormat kComma{','};

TEST(ScalesTest, TextsOfTellingSteps) {
  const NumberFormat& f = kPoint;
  struct Case {
    std::string got;
    const char* want;
  } cases[] = {
      {GainScale::Format(0, f), "-15 dB"},
      {GainScale::Format(150, f), "0 dB"},
      {GainScale::Format(157, f), "0.7 dB"},
      {GainScale::Format(25, f), "-12.5 dB"},
      {GainScale::Format(300, f), "15 dB"},
      {GainScale::Format(157, kComma), "0,7 dB"},
      {DynThresholdScale::Format(0, f), "-60 dB"},
      {DynThresholdScale::Format(593, f), "-0.7 dB"},
      {DynThresholdScale::Format(600, f), "0 dB"},
      {LimiterThresholdScale::Format(0, f), "-24 dB"},
      {LimiterThresholdScale::Format(239, kComma), "-0,1 dB"},
      {FrequencyScale::Format(0, f), "20 Hz"},
      {FrequencyScale::Format(90, f), "141 Hz"},
      {FrequencyScale::Format(179, f), "979 Hz"},
      {FrequencyScale::Format(180, f), "1 kHz"},
      {FrequencyScale::Format(181, f), "1.02 kHz"},
      {FrequencyScale::Format(250, kComma), "4,47 kHz"},
      {FrequencyScale::Format(319, f), "19.6 kHz"},
      {FrequencyScale::Format(320, f), "20 kHz"},
      {QScale::Format(0, f), "0.1"},
      {QScale::Format(1, f), "0.11"},
      {QScale::Format(13, f), "0.45"},
      {QScale::Format(20, f), "1"},
      {QScale::Format(22, kComma), "1,3"},
      {QScale::Format(40, f), "10"},
      {AttackScale::Format(0, f), "1 ms"},
      {AttackScale::Format(83, f), "99 ms"},
      {AttackScale::Format(109, f), "200 ms"},
      {ReleaseScale::Format(0, f), "20 ms"},
      {ReleaseScale::Format(65, f), "85 ms"},
      {ReleaseScale::Format(66, f), "85 ms"},
      {ReleaseScale::Format(141, f), "406 ms"},
      {ReleaseScale::Format(151, f), "500 ms"},
      {ReleaseScale::Format(200, f), "1386 ms"},
      {ReleaseScale::Format(251, f), "4000 ms"},
      {PhaseScale::Format(0), "0 °"},
      {PhaseScale::Format(9), "45 °"},
      {PhaseScale::Format(36), "180 °"},
      {TemperatureScale::Format(40, 0), "20 °C"},
      {TemperatureScale::Format(0, 0), "-20 °C"},
      {TemperatureScale::Format(40, 1), "68 °F"},
      {TemperatureScale::Format(0, 1), "-4 °F"},
      {TemperatureScale::Format(70, 1), "122 °F"},
      {TemperatureScale::Format(23, 1), "37 °F"},  // 3 °C = 37.4 °F
      {TemperatureScale::Format(17, 1), "27 °F"},  // -3 °C = 26.6 °F
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << i;
}

TEST(ScalesTest, TablesHoldTheirTellingValues) {
  EXPECT_NEAR(FrequencyScale::Value(1), 20.4394, 5e-5);
  EXPECT_NEAR(FrequencyScale::Value(181), 1021.63, 5e-3);
  EXPECT_NEAR(FrequencyScale::Value(250), 4472.14, 5e-3);
  EXPECT_NEAR(ReleaseScale::Value(66), 85.6417, 5e-5);
  EXPECT_NEAR(ReleaseScale::Value(141), 406.873, 5e-4);
  EXPECT_NEAR(ReleaseScale::Value(151), 500.836, 5e-4);
  EXPECT_NEAR(ReleaseScale::Value(200), 1386.29, 5e-3);
  EXPECT_EQ(ReleaseScale::Value(251), 4000.0);
  EXPECT_EQ(AttackScale::Value(71), 72.0);
  EXPECT_EQ(AttackScale::Value(72), 74.3537);
  EXPECT_EQ(AttackScale::Value(108), 194.7402);
  EXPECT_DOUBLE_EQ(QScale::Value(0), 0.1);
  EXPECT_DOUBLE_EQ(QScale::Value(40), 10.0);
  EXPECT_EQ(GainScale::Value(163), 1.3);
  EXPECT_EQ(RatioScale::Value(15), 100.0);
  EXPECT_EQ(RatioScale::Value(5), 2.0);
}

// Parse results do not depend on the system separator: either decimal point is accepted.
TEST(ScalesTest, TypedTextsGiveTheirSteps) {
  for (const NumberFormat& f : {kPoint, kComma}) {
    struct Case {
      int got;
      int want;
    } cases[] = {
        {GainScale::Parse("0.7", 3, f), 157},
        {GainScale::Parse("0,7 dB", 3, f), 157},
        {GainScale::Parse("1.25", 3, f), 163},
        {GainScale::Parse("-1.25", 3, f), 138},
        {GainScale::Parse("20", 3, f), 300},
        {GainScale::Parse("-99", 3, f), 0},
        {GainScale::Parse("abc", 3, f), 3},
        {GainScale::Parse("dB", 3, f), 3},
        {DynThresholdScale::Parse("-0.7", 3, f), 593},
        {DynThresholdScale::Parse("-12.37 dB", 3, f), 477},
        {DynThresholdScale::Parse("-12.39", 3, f), 477},  // dropped, not rounded
        {DynThresholdScale::Parse("-70", 3, f), 0},
        {DynThresholdScale::Parse("0.09", 3, f), 600},
        {DynThresholdScale::Parse("5", 3, f), 600},
        {LimiterThresholdScale::Parse("-0.15", 3, f), 239},
        {LimiterThresholdScale::Parse("-30", 3, f), 0},
        {FrequencyScale::Parse("1k", 7, f), 7},
        {FrequencyScale::Parse("1 khz", 7, f), 7},  // unit words are case-sensitive
        {FrequencyScale::Parse("19.8 kHz", 7, f), 320},
        {FrequencyScale::Parse("19,6 kHz", 7, f), 319},
        {FrequencyScale::Parse("5", 7, f), 0},
        {FrequencyScale::Parse("20 Hz", 7, f), 0},
        {FrequencyScale::Parse("25 kHz", 7, f), 320},
        {FrequencyScale::Parse("1000", 7, f), 180},
        {FrequencyScale::Parse("1 kHz trailing", 7, f), 180},
        {QScale::Parse("0.45", 5, f), 13},
        {QScale::Parse("1.05", 5, f), 20},
        {QScale::Parse("0.108", 5, f), 1},
        {QScale::Parse("0.05", 5, f), 0},
        {QScale::Parse("12", 5, f), 40},
        {QScale::Parse("Q", 5, f), 5},
        {AttackScale::Parse("99 ms", 5, f), 83},
        {AttackScale::Parse("199", 5, f), 109},
        {AttackScale::Parse("0", 5, f), 0},
        {AttackScale::Parse("10.4", 5, f), 10},  // 11 ms
        {AttackScale::Parse("10", 5, f), 9},     // 10 ms
        {AttackScale::Parse("500", 5, f), 109},
        {ReleaseScale::Parse("85", 5, f), 66},
        {ReleaseScale::Parse("3900", 5, f), 250},
        {ReleaseScale::Parse("3000 ms", 5, f), 237},
        {ReleaseScale::Parse("3999.5", 5, f), 251},  // the last interval is searched too
        {ReleaseScale::Parse("5000", 5, f), 251},
        {ReleaseScale::Parse("2", 5, f), 0},
        {PhaseScale::Parse("47", 5), 9},
        {PhaseScale::Parse("45 °", 5), 9},
        {PhaseScale::Parse("-10", 5), 0},
        {PhaseScale::Parse("200", 5), 36},
        {PhaseScale::Parse("4.5", 5), 5},
        {TemperatureScale::Parse("20 °C", 5, 0), 40},
        {TemperatureScale::Parse("-25", 5, 0), 0},
        {TemperatureScale::Parse("99999999999", 5, 0), 70},
        {TemperatureScale::Parse("68", 5, 1), 40},
        {TemperatureScale::Parse("68 °F", 5, 1), 40},
        {TemperatureScale::Parse("0 °F", 5, 1), 2},
        {TemperatureScale::Parse("-40", 5, 1), 0},
        {TemperatureScale::Parse("20 °C", 5, 1), 5},  // °C is not cut in °F
        {TemperatureScale::Parse("20.5", 5, 0), 5},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
      EXPECT_EQ(cases[i].got, cases[i].want) << i << " on '" << f.decimalSeparator << "'";
  }
}

TEST(ScalesTest, StripGainClampsTheNumberBeforeConverting) {
  struct Case {
    const char* text;
    int step;
    double db;
  } cases[] = {{"0.7", 157, 0.7},
               {"-20", 0, -15},
               {"20 dB", 300, 15},
               {"3,5", 185, 3.5},
               {"0.75", 158, 0.75}};
  for (const Case& c : cases) {
    const auto r = GainScale::ReadStrip(c.text, kPoint);
    ASSERT_TRUE(r) << c.text;
    EXPECT_EQ(r->step, c.step) << c.text;
    EXPECT_EQ(r->decibels, c.db) << c.text;
  }
  EXPECT_FALSE(GainScale::ReadStrip("abc", kPoint));
}

// Steps outside a scale's range (a damaged value) show the text of the nearest end.
TEST(ScalesTest, OutOfRangeStepsAreClampedBeforeAnyTableIsRead) {
  for (int bad : {-1, -100000, 1 << 30}) {
    const int end = bad < 0 ? 0 : 1 << 20;
    EXPECT_EQ(GainScale::Format(bad, kPoint), GainScale::Format(end, kPoint));
    EXPECT_EQ(FrequencyScale::Format(bad, kPoint), FrequencyScale::Format(end, kPoint));
    EXPECT_EQ(QScale::Format(bad, kPoint), QScale::Format(end, kPoint));
    EXPECT_EQ(AttackScale::Format(bad, kPoint), AttackScale::Format(end, kPoint));
    EXPECT_EQ(ReleaseScale::Format(bad, kPoint), ReleaseScale::Format(end, kPoint));
    EXPECT_EQ(PhaseScale::Format(bad), PhaseScale::Format(end));
    EXPECT_EQ(TemperatureScale::Format(bad, 1), TemperatureScale::Format(end, 1));
    EXPECT_EQ(RatioScale::Format(bad), RatioScale::Format(end));
    EXPECT_EQ(BandNameScale.Format(bad), BandNameScale.Format(end));
  }
}

// Every step's text typed back gives a step with the same text, on both systems. Where two steps
// share a text (20 Hz, 85 ms, …) either may come back.
struct NumericScale {
  const char* name;
  int steps;
  std::function<std::string(int, const NumberFormat&)> format;
  std::function<int(const std::string&, const NumberFormat&)> parse;
  bool unique;  // every step has a text of its own
};

template <typename S>
NumericScale Of(const char* name, bool unique) {
  return {name, S::kSteps, [](int v, const NumberFormat& f) { return S::Format(v, f); },
          [](const std::string& t, const NumberFormat& f) { return S::Parse(t, -1, f); }, unique};
}

TEST(ScalesTest, EveryShownTextReadsBackToItsStep) {
  const std::vector<NumericScale> scales = {
      Of<GainScale>("gain", true),
      Of<DynThresholdScale>("dyn-threshold", true),
      Of<LimiterThresholdScale>("lim-threshold", true),
      Of<FrequencyScale>("frequency", false),
      Of<QScale>("q", true),
      Of<AttackScale>("attack", false),
      Of<ReleaseScale>("release", false),
      {"phase", PhaseScale::kSteps,
       [](int v, const NumberFormat&) { return PhaseScale::Format(v); },
       [](const std::string& t, const NumberFormat&) { return PhaseScale::Parse(t, -1); }, true},
      {"temperature °C", TemperatureScale::kSteps,
       [](int v, const NumberFormat&) { return TemperatureScale::Format(v, 0); },
       [](const std::string& t, const NumberFormat&) { return TemperatureScale::Parse(t, -1, 0); },
       true},
      {"temperature °F", TemperatureScale::kSteps,
       [](int v, const NumberFormat&) { return TemperatureScale::Format(v, 1); },
       [](const std::string& t, const NumberFormat&) { return TemperatureScale::Parse(t, -1, 1); },
       true},
  };
  for (const NumberFormat& f : {kPoint, kComma}) {
    for (const NumericScale& s : scales) {
      for (int v = 0; v < s.steps; ++v) {
        const std::string text = s.format(v, f);
        const int back = s.parse(text, f);
        ASSERT_GE(back, 0) << s.name << " \"" << text << "\" is not read";
        if (s.unique)
          EXPECT_EQ(back, v) << s.name << " \"" << text << '"';
        else
          EXPECT_EQ(s.format(back, f), text) << s.name << " step " << v << " came back as " << back;
      }
    }
  }
}

TEST(ListScalesTest, ItemTextsAreExact) {
  EXPECT_EQ(HPTypeScale.Format(7), "Bes 24");
  EXPECT_EQ(LPTypeScale.Format(7), "Bes 24 ");
  EXPECT_EQ(HPTypeScale.Format(10), "L-R 48");
  EXPECT_EQ(EqSlopeScale.Format(0), " 6 dB/Oct");
  EXPECT_EQ(EqSlopeScale.Format(1), "12 dB/Oct ");
  EXPECT_EQ(EqKindScale.Format(2), "High Shelving");
  EXPECT_EQ(DelayUnitScale.Format(1), "ft / inch / °F");
  EXPECT_EQ(ABSourceScale.Format(1), "AES / EBU");
  EXPECT_EQ(SummerScale.Format(6), "B+C");
  EXPECT_EQ(OpModeScale.Format(3), "LH LH LH");
  EXPECT_EQ(InStereoLinkScale.Format(3), "A+B+C+Sum");
  EXPECT_EQ(RoutingScale.Format(3), "Sum");
  EXPECT_EQ(RatioScale::Format(0), "1.1 :1");
  EXPECT_EQ(RatioScale::Format(9), "4 :1");
  EXPECT_EQ(RatioScale::Format(15), "INF");
  // Band names 21..27 are valid steps without a text.
  EXPECT_EQ(BandNameScale.Steps(), 28);
  EXPECT_EQ(BandNameScale.Format(20), "Right High");
  EXPECT_EQ(BandNameScale.Format(21), "");
  EXPECT_EQ(BandNameScale.Format(27), "");
}

TEST(ListScalesTest, OnlyAnItemsExactTextReadsAsItsStep) {
  EXPECT_EQ(LPTypeScale.Parse("Bes 24 ", 0), 7);
  EXPECT_EQ(LPTypeScale.Parse("Bes 24", 0), 0);
  EXPECT_EQ(HPTypeScale.Parse("Bes 24", 0), 7);
  EXPECT_EQ(RatioScale::Parse("INF", 2), 15);
  EXPECT_EQ(BandNameScale.Parse("", 3), 3);
}

}  // namespace
}  // namespace korvan
