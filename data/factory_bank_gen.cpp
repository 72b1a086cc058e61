// Builds the built-in factory bank from its readable source (data/factory_bank.txt) and writes
// it as a C++ source holding the bank's XSNP chunk. Each configuration is made the way a user
// would make it: the operating mode first (its reset lays out the outputs), then the settings,
// each applied and followed through the change rules. A setting that a later one undid fails
// the build.
//
// Usage: factory_bank_gen SOURCE.txt OUT.cpp

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "model/change_rules.h"
#include "model/control_ids.h"
#include "model/frequency_table.h"
#include "model/model.h"
#include "model/presets.h"
#include "transfer/chunk_format.h"

namespace korvan {
namespace {

enum class Unit {
  Step,
  Switch,
  Gain,
  DynThreshold,
  LimThreshold,
  Freq,
  Release,
  Filter,
  Routing,
  LongDelay,
  ShortDelay,
  Phase
};
enum class Scope { Setup, Channel, Input, Output };

struct ControlName {
  Scope scope;
  int mcix;
  Unit unit;
};

std::map<std::string, ControlName> ControlNames() {
  std::map<std::string, ControlName> m = {
      {"summer", {Scope::Setup, mc::Summer, Unit::Step}},
      {"ab_source", {Scope::Setup, mc::ABSource, Unit::Step}},
      {"out_link", {Scope::Setup, mc::OutStereoLink, Unit::Switch}},
      {"in_link", {Scope::Setup, mc::InStereoLink, Unit::Step}},
      {"delay_link", {Scope::Setup, mc::DelayLink, Unit::Switch}},
      {"xo_link", {Scope::Setup, mc::XOverLink, Unit::Switch}},
      {"temp_corr", {Scope::Setup, mc::TempCorrection, Unit::Switch}},
      {"temperature", {Scope::Setup, mc::Temperature, Unit::Step}},
      {"sum_gain_a", {Scope::Setup, mc::SumGainA, Unit::Gain}},
      {"sum_gain_b", {Scope::Setup, mc::SumGainB, Unit::Gain}},
      {"sum_gain_c", {Scope::Setup, mc::SumGainC, Unit::Gain}},
      {"level", {Scope::Channel, mc::Level, Unit::Gain}},
      {"mute", {Scope::Channel, mc::Mute, Unit::Switch}},
      {"eq_on", {Scope::Channel, mc::EqOn, Unit::Switch}},
      {"eq_bands", {Scope::Channel, mc::EqBandsShown, Unit::Step}},
      {"dyn_attack", {Scope::Channel, mc::DynAttack, Unit::Step}},
      {"dyn_release", {Scope::Channel, mc::DynRelease, Unit::Release}},
      {"dyn_ratio", {Scope::Channel, mc::DynRatio, Unit::Step}},
      {"dyn_threshold", {Scope::Channel, mc::DynThreshold, Unit::DynThreshold}},
      {"dyneq_on", {Scope::Channel, mc::DynEqOn, Unit::Switch}},
      {"dyneq_freq", {Scope::Channel, mc::DynEqFreq, Unit::Freq}},
      {"dyneq_q", {Scope::Channel, mc::DynEqQ, Unit::Step}},
      {"dyneq_gain", {Scope::Channel, mc::DynEqGain, Unit::Gain}},
      {"dyneq_kind", {Scope::Channel, mc::DynEqKind, Unit::Step}},
      {"dyneq_slope", {Scope::Channel, mc::DynEqSlope, Unit::Step}},
      {"delay_on", {Scope::Channel, mc::DelayOn, Unit::Switch}},
      {"delay", {Scope::Channel, mc::LongDelay, Unit::LongDelay}},
      {"band_name", {Scope::Output, mc::BandName, Unit::Step}},
      {"routing", {Scope::Output, mc::Routing, Unit::Routing}},
      {"hp_type", {Scope::Output, mc::HPType, Unit::Filter}},
      {"hp_freq", {Scope::Output, mc::HPFreq, Unit::Freq}},
      {"lp_type", {Scope::Output, mc::LPType, Unit::Filter}},
      {"lp_freq", {Scope::Output, mc::LPFreq, Unit::Freq}},
      {"limit_on", {Scope::Output, mc::LimitOn, Unit::Switch}},
      {"limit_threshold", {Scope::Output, mc::LimitThreshold, Unit::LimThreshold}},
      {"limit_release", {Scope::Output, mc::LimitRelease, Unit::Release}},
      {"polarity", {Scope::Output, mc::InvPolarity, Unit::Switch}},
      {"phase", {Scope::Output, mc::Phase, Unit::Phase}},
      {"short_delay", {Scope::Output, mc::ShortDelay, Unit::ShortDelay}},
  };
  for (int b = 0; b < mc::kEqBands; ++b) {
    const std::string p = "eq" + std::to_string(b + 1) + "_";
    m[p + "freq"] = {Scope::Channel, mc::EqFreq(b), Unit::Freq};
    m[p + "q"] = {Scope::Channel, mc::EqQ(b), Unit::Step};
    m[p + "gain"] = {Scope::Channel, mc::EqGain(b), Unit::Gain};
    m[p + "kind"] = {Scope::Channel, mc::EqKind(b), Unit::Step};
    m[p + "slope"] = {Scope::Channel, mc::EqSlope(b), Unit::Step};
  }
  return m;
}

double ReleaseMs(int v) {
  return v <= 65 ? v + 20.0 : 4000.0 * std::pow(1.020995, v - 251);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  const size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

// The step a value text gives for a control of the given unit, or nothing.
std::optional<int> ParseValue(const std::string& text, Unit unit, std::string& why) {
  const std::string t = Lower(text);
  if (unit == Unit::Switch && (t == "on" || t == "off")) return t == "on" ? 1 : 0;
  if (unit == Unit::Filter) {
    static const char* kTypes[] = {"off",   "but6",  "but12", "bes12", "lr12", "but18",
                                   "but24", "bes24", "lr24",  "but48", "lr48"};
    for (int i = 0; i < 11; ++i)
      if (t == kTypes[i]) return i;
  }
  if (unit == Unit::Routing) {
    static const char* kSources[] = {"a", "b", "c", "sum"};
    for (int i = 0; i < 4; ++i)
      if (t == kSources[i]) return i;
  }
  char* end = nullptr;
  const double x = std::strtod(t.c_str(), &end);
  if (end == t.c_str()) {
    why = "not a value: " + text;
    return std::nullopt;
  }
  const std::string suffix = Trim(end);
  if (suffix.empty()) {
    if (x != std::floor(x)) {
      why = "a step must be a whole number: " + text;
      return std::nullopt;
    }
    return static_cast<int>(x);
  }
  auto nearest = [](int steps, auto value, double target) {
    int best = 0;
    for (int v = 1; v < steps; ++v)
      if (std::fabs(value(v) - target) < std::fabs(value(best) - target)) best = v;
    return best;
  };
  switch (unit) {
    case Unit::Freq:
      if (suffix == "hz" || suffix == "khz") {
        const double hz = suffix == "khz" ? x * 1000 : x;
        return nearest(
            kFrequencySteps, [](int v) { return double(FrequencyAt(v)); }, hz);
      }
      break;
    case Unit::Gain:
      if (suffix == "db") return static_cast<int>(std::lround(x * 10)) + 150;
      break;
    case Unit::DynThreshold:
      if (suffix == "db") return static_cast<int>(std::lround(x * 10)) + 600;
      break;
    case Unit::LimThreshold:
      if (suffix == "db") return static_cast<int>(std::lround(x * 10)) + 240;
      break;
    case Unit::Release:
      if (suffix == "ms") return nearest(252, ReleaseMs, x);
      break;
    case Unit::LongDelay:
      if (suffix == "m") return static_cast<int>(std::lround(x / 0.05));
      break;
    case Unit::ShortDelay:
      if (suffix == "mm") return static_cast<int>(std::lround(x / 2.0));
      break;
    case Unit::Phase:
      if (suffix == "deg") return static_cast<int>(std::lround(x / 5.0));
      break;
    default:
      break;
  }
  why = "unit \"" + suffix + "\" does not fit this control";
  return std::nullopt;
}

// Module ids of a target: setup, inA/inB/inC/inSum, outN, outN-M, outN,M,...
std::optional<std::vector<int>> ParseTarget(const std::string& target) {
  const std::string t = Lower(target);
  if (t == "setup") return std::vector<int>{kSetupModix};
  if (t == "ina") return std::vector<int>{1};
  if (t == "inb") return std::vector<int>{2};
  if (t == "inc") return std::vector<int>{3};
  if (t == "insum") return std::vector<int>{4};
  if (t.rfind("out", 0) != 0) return std::nullopt;
  std::vector<int> ids;
  std::stringstream list(t.substr(3));
  std::string part;
  while (std::getline(list, part, ',')) {
    int a = 0, b = 0;
    char dash = 0;
    std::stringstream p(part);
    if (!(p >> a)) return std::nullopt;
    b = a;
    if (p >> dash) {
      if (dash != '-' || !(p >> b)) return std::nullopt;
    }
    if (a < 1 || b > 6 || a > b) return std::nullopt;
    for (int k = a; k <= b; ++k) ids.push_back(kFirstOutputModix + k - 1);
  }
  if (ids.empty()) return std::nullopt;
  return ids;
}

struct Setting {
  int line = 0;
  std::vector<int> modules;
  int mcix = 0;
  int value = 0;
};

struct Configuration {
  int line = 0;
  std::string name;
  int mode = -1;
  std::vector<Setting> settings;
};

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what) {
  std::cerr << file << ':' << line << ": " << what << '\n';
  std::exit(1);
}

std::vector<Configuration> ReadSource(const std::string& file) {
  std::ifstream in(file);
  if (!in) Fail(file, 0, "cannot be read");
  const auto names = ControlNames();
  std::vector<Configuration> configs;
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    const std::string line = Trim(raw.substr(0, raw.find('#')));
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.back() != ']') Fail(file, lineNo, "a name line is [NAME]");
      Configuration c;
      c.line = lineNo;
      c.name = line.substr(1, line.size() - 2);
      if (c.name.empty() || c.name.size() > 8) Fail(file, lineNo, "a name has 1 to 8 characters");
      for (char ch : c.name)
        if (std::islower(static_cast<unsigned char>(ch)) || ch < 0x20 || ch > 0x7E)
          Fail(file, lineNo, "names are upper case ASCII");
      c.name.resize(8, ' ');
      configs.push_back(c);
      continue;
    }
    if (configs.empty()) Fail(file, lineNo, "a setting before the first [NAME]");
    Configuration& c = configs.back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos) Fail(file, lineNo, "expected KEY = VALUE");
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (key == "mode") {
      if (c.mode >= 0 || !c.settings.empty()) Fail(file, lineNo, "mode comes first, once");
      if (value.size() != 1 || value[0] < '0' || value[0] > '3') Fail(file, lineNo, "mode is 0..3");
      c.mode = value[0] - '0';
      continue;
    }
    if (c.mode < 0) Fail(file, lineNo, "the mode comes before the settings");
    const size_t dot = key.find('.');
    if (dot == std::string::npos) Fail(file, lineNo, "expected TARGET.CONTROL");
    const auto modules = ParseTarget(key.substr(0, dot));
    if (!modules) Fail(file, lineNo, "unknown target " + key.substr(0, dot));
    const auto it = names.find(Lower(key.substr(dot + 1)));
    if (it == names.end()) Fail(file, lineNo, "unknown control " + key.substr(dot + 1));
    const ControlName& cn = it->second;
    const bool setup = (*modules)[0] == kSetupModix;
    const bool input = !setup && (*modules)[0] < kFirstOutputModix;
    if ((cn.scope == Scope::Setup) != setup || (cn.scope == Scope::Output && input))
      Fail(file, lineNo, "control " + it->first + " does not belong to " + key.substr(0, dot));
    std::string why;
    const auto step = ParseValue(value, cn.unit, why);
    if (!step) Fail(file, lineNo, why);
    c.settings.push_back({lineNo, *modules, cn.mcix, *step});
  }
  return configs;
}

ParameterImage Build(const std::string& file, const Configuration& c) {
  Model model;
  PresetStore store(model, nullptr);
  store.InitSnapshots();
  for (int n = 0; n < kInputNameCount; ++n)
    store.InputNames[n] = *store.InputName(store.snapshots[0], n);
  // The operating mode first: its reset lays the outputs out and would undo earlier settings.
  model.SetValue(model.Setup(mc::OpMode), c.mode, NOTIFY_FULL);
  ApplyOutputConfiguration(model);
  model.ProcessChanges();
  for (const Setting& s : c.settings) {
    for (int modix : s.modules) {
      MCtrl& ctrl = model.Ctrl(modix, s.mcix);
      if (s.value < 0 || s.value > ctrl.maxStep)
        Fail(file, s.line,
             "step " + std::to_string(s.value) + " is outside 0.." + std::to_string(ctrl.maxStep));
      model.SetValue(ctrl, s.value, NOTIFY_FULL);
      model.ProcessChanges();
    }
  }
  for (const Setting& s : c.settings)
    for (int modix : s.modules)
      if (model.Ctrl(modix, s.mcix).value != s.value)
        Fail(file, s.line, "this setting was changed again by a later one (links or rings?)");
  store.WriteCurrentImage();
  return store.CurrentImage;
}

}  // namespace
}  // namespace korvan

int main(int argc, char** argv) {
  using namespace korvan;
  if (argc != 3) {
    std::cerr << "usage: factory_bank_gen SOURCE.txt OUT.cpp\n";
    return 2;
  }
  const std::string source = argv[1];
  const std::vector<Configuration> configs = ReadSource(source);
  constexpr int kConfigurations = 24;
  if (configs.size() != kConfigurations)
    Fail(source, 0,
         "the bank holds 24 configurations, the source has " + std::to_string(configs.size()));

  // Slots 1-24 as they are, 25-36 empty, 37-60 the same 24 locked.
  BankData bank;
  const int words = Model().ImageWordCount();
  for (int k = 0; k < kConfigurations; ++k) {
    const ParameterImage image = Build(source, configs[k]);
    const NameField name = MakeNameField(configs[k].name);
    bank.slots.push_back({k, name, image});
  }
  for (int k = 0; k < kConfigurations; ++k) {
    bank.attributes[36 + k] = 1;
    bank.slots.push_back({36 + k, bank.slots[k].name, bank.slots[k].image});
  }
  int error = 0;
  const std::vector<uint8_t> bytes = BankBytes(bank, 0, words, &error);
  if (error) Fail(source, 0, "the bank outgrew its image");
  const BankRead check = ParseXsnp(bytes, 0, words, nullptr);
  if (check.error || check.data.slots.size() != bank.slots.size())
    Fail(source, 0, "the bank does not read back");

  std::ofstream out(argv[2], std::ios::binary);
  out << "// Made by factory_bank_gen from data/factory_bank.txt. Do not edit.\n\n"
      << "#include \"transfer/factory_bank.h\"\n\n"
      << "namespace korvan {\nnamespace {\n\n"
      << "// One XSNP chunk: revision 1, version 0, " << bytes.size() << " bytes.\n"
      << "const uint8_t kFactoryBank[" << bytes.size() << "] = {\n";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 16 == 0) out << "   ";
    char hex[8];
    std::snprintf(hex, sizeof hex, " 0x%02X,", bytes[i]);
    out << hex;
    if (i % 16 == 15 || i + 1 == bytes.size()) out << '\n';
  }
  out << "};\n\n}  // namespace\n\n"
      << "std::span<const uint8_t> FactoryBank() { return kFactoryBank; }\n\n"
      << "}  // namespace korvan\n";
  if (!out) Fail(argv[2], 0, "cannot be written");
  return 0;
}
