#pragma once
// The list scales: the item texts of the combo boxes (the step is the item index) and the
// dynamics ratio, whose items also carry the ratio the dynamics graph uses.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvan {

class ListScale {
 public:
  // steps may exceed the number of items: the steps beyond them have no text.
  constexpr ListScale(std::span<const std::string_view> items, int steps)
      : items_(items), steps_(steps) {}

  int Steps() const { return steps_; }
  // The item text of the step (clamped to the scale), or "" for a step without a text.
  std::string Format(int step) const;
  // The combo boxes parse nothing; typing an item's exact text gives its step, for scripts.
  std::optional<int> Read(std::string_view text) const;
  int Parse(std::string_view text, int current) const { return Read(text).value_or(current); }

 private:
  std::span<const std::string_view> items_;
  int steps_;
};

extern const ListScale SummerScale;        // setup 2
extern const ListScale ABSourceScale;      // setup 3
extern const ListScale OpModeScale;        // setup 5
extern const ListScale InStereoLinkScale;  // setup 7
extern const ListScale DelayUnitScale;     // setup 20
extern const ListScale RoutingScale;       // output 65
extern const ListScale BandNameScale;      // output 64 (28 steps, 21 texts)
extern const ListScale HPTypeScale;        // output 66
extern const ListScale LPTypeScale;        // output 68 (item 7 has a trailing blank)
extern const ListScale EqKindScale;        // 22 + 5b, dynamic EQ 17
extern const ListScale EqSlopeScale;       // 23 + 5b, dynamic EQ 18

// Dynamics ratio (control 11): "1.1 :1" .. "20 :1" and "INF".
struct RatioScale {
  static constexpr int kSteps = 16;
  static const ListScale& List();
  static double Value(int step);  // the ratio; 100 for "INF"
  static std::string Format(int step) { return List().Format(step); }
  static std::optional<int> Read(std::string_view text) { return List().Read(text); }
  static int Parse(std::string_view text, int current) { return List().Parse(text, current); }
};

}  // namespace korvan
