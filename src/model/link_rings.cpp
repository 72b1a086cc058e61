#include "model/link_rings.h"

#include <array>
#include <span>

#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {
namespace {

struct OutputPair {
  int lower, upper;  // outputs 1..6: the low-pass of lower meets the high-pass of upper
};

constexpr OutputPair kMonoPairs[] = {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}};
constexpr OutputPair kLmhPairs[] = {{1, 2}, {2, 3}, {4, 5}, {5, 6}};
constexpr OutputPair kLlMmHhPairs[] = {{1, 3}, {3, 5}, {2, 4}, {4, 6}};
constexpr OutputPair kLhPairs[] = {{1, 2}, {3, 4}, {5, 6}};

std::span<const OutputPair> CrossoverPairs(int mode) {
  switch (mode) {
    case 0:
      return kMonoPairs;
    case 1:
      return kLmhPairs;
    case 2:
      return kLlMmHhPairs;
    case 3:
      return kLhPairs;
    default:
      return {};
  }
}

// Delay rings as lists of outputs 1..6; each list closes back to its first member.
using Ring = std::span<const int>;
constexpr int kAll[] = {1, 2, 3, 4, 5, 6};
constexpr int k123[] = {1, 2, 3}, k456[] = {4, 5, 6};
constexpr int k135[] = {1, 3, 5}, k246[] = {2, 4, 6};
constexpr int k12[] = {1, 2}, k34[] = {3, 4}, k56[] = {5, 6};
constexpr Ring kMonoRings[] = {kAll};
constexpr Ring kLmhRings[] = {k123, k456};
constexpr Ring kLlMmHhRings[] = {k135, k246};
constexpr Ring kLhRings[] = {k12, k34, k56};

std::span<const Ring> DelayRings(int mode) {
  switch (mode) {
    case 0:
      return kMonoRings;
    case 1:
      return kLmhRings;
    case 2:
      return kLlMmHhRings;
    case 3:
      return kLhRings;
    default:
      return {};
  }
}

MCtrl& OutputCtrl(Model& model, int output, int mcix) {
  return model.Ctrl(kFirstOutputModix + output - 1, mcix);
}

}  // namespace

void LinkCrossovers(Model& model) {
  for (int k = 0; k < kOutputCount; ++k) {
    model.RingLeave(model.OutputModule(k).Ctrl(mc::HPFreq));
    model.RingLeave(model.OutputModule(k).Ctrl(mc::LPFreq));
  }
  if (model.SetupValue(mc::XOverLink) == 0) return;
  for (const OutputPair& p : CrossoverPairs(model.OutputConfiguration))
    model.RingPair(OutputCtrl(model, p.upper, mc::HPFreq), OutputCtrl(model, p.lower, mc::LPFreq));
}

void LinkDelays(Model& model) {
  for (int k = 0; k < kOutputCount; ++k) model.RingLeave(model.OutputModule(k).Ctrl(mc::LongDelay));
  if (model.SetupValue(mc::DelayLink) == 0) return;
  for (Ring ring : DelayRings(model.OutputConfiguration)) {
    for (size_t i = 0; i < ring.size(); ++i) {
      const int next = ring[(i + 1) % ring.size()];
      model.RingJoin(OutputCtrl(model, ring[i], mc::LongDelay),
                     OutputCtrl(model, next, mc::LongDelay));
    }
  }
}

}  // namespace korvan
