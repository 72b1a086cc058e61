// korvan-tool scale NAME format STEP | parse TEXT [--current STEP] | list: the display texts
// of the value scales and the steps typed texts give.

#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "model/delay_scales.h"
#include "model/list_scales.h"
#include "model/number_text.h"
#include "model/scales.h"
#include "tool/commands.h"

namespace korvan::tool {
namespace {

struct Context {
  NumberFormat format;
  int delayUnit = 0;
  DelayScales delays{DelayDisplay::Time, TimeStepSizes(true, 40)};
};

struct ToolScale {
  const char* name;
  int steps;
  std::function<std::string(int, const Context&)> format;
  std::function<std::optional<int>(const std::string&, const Context&)> read;
};

template <typename S>
ToolScale Numeric(const char* name) {
  return {name, S::kSteps, [](int v, const Context& c) { return S::Format(v, c.format); },
          [](const std::string& t, const Context& c) { return S::Read(t, c.format); }};
}

ToolScale List(const char* name, const ListScale& scale) {
  return {name, scale.Steps(), [&scale](int v, const Context&) { return scale.Format(v); },
          [&scale](const std::string& t, const Context&) { return scale.Read(t); }};
}

const std::vector<ToolScale>& Scales() {
  static const std::vector<ToolScale> scales = {
      Numeric<GainScale>("gain"),
      {"strip-gain", GainScale::kSteps,
       [](int v, const Context& c) { return GainScale::Format(v, c.format); },
       [](const std::string& t, const Context& c) -> std::optional<int> {
         const auto r = GainScale::ReadStrip(t, c.format);
         if (!r) return std::nullopt;
         return r->step;
       }},
      Numeric<FrequencyScale>("frequency"),
      Numeric<QScale>("q"),
      Numeric<AttackScale>("attack"),
      Numeric<ReleaseScale>("release"),
      Numeric<DynThresholdScale>("dyn-threshold"),
      Numeric<LimiterThresholdScale>("lim-threshold"),
      {"ratio", RatioScale::kSteps, [](int v, const Context&) { return RatioScale::Format(v); },
       [](const std::string& t, const Context&) { return RatioScale::Read(t); }},
      {"phase", PhaseScale::kSteps, [](int v, const Context&) { return PhaseScale::Format(v); },
       [](const std::string& t, const Context&) { return PhaseScale::Read(t); }},
      {"temperature", TemperatureScale::kSteps,
       [](int v, const Context& c) { return TemperatureScale::Format(v, c.delayUnit); },
       [](const std::string& t, const Context& c) {
         return TemperatureScale::Read(t, c.delayUnit);
       }},
      {"long-delay", kLongDelayMax + 1,
       [](int v, const Context& c) { return c.delays.FormatLongDelay(v); },
       [](const std::string& t, const Context& c) {
         return c.delays.ReadDelay(t, DelayKind::Long);
       }},
      {"short-delay", kShortDelayMax + 1,
       [](int v, const Context& c) { return c.delays.FormatShortDelay(v); },
       [](const std::string& t, const Context& c) {
         return c.delays.ReadDelay(t, DelayKind::Short);
       }},
      List("summer", SummerScale),
      List("ab-source", ABSourceScale),
      List("opmode", OpModeScale),
      List("in-stereo-link", InStereoLinkScale),
      List("delay-unit", DelayUnitScale),
      List("routing", RoutingScale),
      List("band-name", BandNameScale),
      List("hp-type", HPTypeScale),
      List("lp-type", LPTypeScale),
      List("eq-kind", EqKindScale),
      List("eq-slope", EqSlopeScale),
  };
  return scales;
}

struct Args {
  std::string name;
  std::string action;
  std::vector<std::string> rest;
  std::string current = "0";
  std::string separator = ".";
  std::string unit = "0";
  std::string display = "0";
  std::string temp = "40";
  std::string correction = "1";
};

int Usage(const std::string& message) {
  std::cerr << "korvan-tool scale: " << message << '\n';
  return 2;
}

// A whole number in lo..hi, or nothing.
std::optional<int> StepArg(const std::string& text, int lo, int hi) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  const std::optional<int> v = ParseInteger(text);
  if (!v || TrimBlanks(text).size() != text.size() || *v < lo || *v > hi) return std::nullopt;
  return v;
}

int RunScale(const Args& a) {
  const ToolScale* scale = nullptr;
  for (const ToolScale& s : Scales())
    if (a.name == s.name) scale = &s;
  if (!scale) {
    std::string names;
    for (const ToolScale& s : Scales()) names += std::string(names.empty() ? "" : ", ") + s.name;
    return Usage("unknown scale \"" + a.name + "\" (one of: " + names + ")");
  }
  if (a.separator != "." && a.separator != ",") return Usage("--separator must be . or ,");
  const auto unit = StepArg(a.unit, 0, 1);
  if (!unit) return Usage("--unit must be 0 or 1");
  const auto display = StepArg(a.display, 0, 2);
  if (!display) return Usage("--display must be 0, 1 or 2");
  const auto temp = StepArg(a.temp, 0, 70);
  if (!temp) return Usage("--temp must be a temperature step 0..70");
  const auto correction = StepArg(a.correction, 0, 1);
  if (!correction) return Usage("--correction must be 0 or 1");

  Context ctx;
  ctx.format.decimalSeparator = a.separator[0];
  ctx.delayUnit = *unit;
  ctx.delays = DelayScales(static_cast<DelayDisplay>(*display),
                           TimeStepSizes(*correction != 0, *temp), ctx.format);
  const int last = scale->steps - 1;
  const std::string range = "0.." + std::to_string(last);

  if (a.action == "format") {
    if (a.rest.size() != 1) return Usage("format takes one STEP");
    const auto step = StepArg(a.rest[0], 0, last);
    if (!step) return Usage("STEP must be a whole number " + range + " for " + a.name);
    std::cout << scale->format(*step, ctx) << '\n';
    return 0;
  }
  if (a.action == "parse") {
    if (a.rest.size() != 1) return Usage("parse takes one TEXT");
    const auto current = StepArg(a.current, 0, last);
    if (!current) return Usage("--current must be a whole number " + range + " for " + a.name);
    std::cout << scale->read(a.rest[0], ctx).value_or(*current) << '\n';
    return 0;
  }
  if (a.action == "list") {
    if (!a.rest.empty()) return Usage("list takes no argument");
    std::string out;
    for (int v = 0; v <= last; ++v) out += std::to_string(v) + '\t' + scale->format(v, ctx) + '\n';
    std::cout << out;
    return 0;
  }
  return Usage("unknown action \"" + a.action + "\" (format, parse or list)");
}

}  // namespace

void AddScaleCommand(CLI::App& app, int& rc) {
  auto args = std::make_shared<Args>();
  auto* cmd = app.add_subcommand(
      "scale",
      "Show a scale's text of a step (format STEP), the step a typed text gives (parse TEXT), "
      "or every step (list). List scales parse an item's exact text.");
  cmd->add_option("name", args->name,
                  "gain, strip-gain, frequency, q, attack, release, "
                  "dyn-threshold, lim-threshold, ratio, phase, temperature, "
                  "long-delay, short-delay, summer, ab-source, opmode, "
                  "in-stereo-link, delay-unit, routing, band-name, hp-type, "
                  "lp-type, eq-kind, eq-slope")
      ->required();
  cmd->add_option("action", args->action, "format, parse or list")->required();
  cmd->add_option("value", args->rest, "STEP for format, TEXT for parse");
  cmd->add_option("--current", args->current, "the step a text that is not a number keeps (0)");
  cmd->add_option("--separator", args->separator, "the system decimal separator: . or , (.)");
  cmd->add_option("--unit", args->unit, "delay unit, setup control 20: 0 metric, 1 imperial (0)");
  cmd->add_option("--display", args->display, "delay display: 0 time, 1 metric, 2 imperial (0)");
  cmd->add_option("--temp", args->temp, "temperature step, setup control 11 (40)");
  cmd->add_option("--correction", args->correction,
                  "temperature correction, setup control 10 (1, as at start-up)");
  cmd->callback([args, &rc] { rc = RunScale(*args); });
}

}  // namespace korvan::tool
