#include "model/list_scales.h"

#include <array>

namespace korvan {
namespace {

constexpr std::string_view kSummer[] = {"Off", "A", "B", "C", "A+B", "A+C", "B+C"};
constexpr std::string_view kABSource[] = {"Analog", "AES / EBU"};
constexpr std::string_view kOpMode[] = {"Mono", "LMH LMH", "LL MM HH", "LH LH LH"};
constexpr std::string_view kInStereoLink[] = {"Off", "A+B", "A+B+C", "A+B+C+Sum"};
constexpr std::string_view kDelayUnit[] = {"m / mm / °C", "ft / inch / °F"};
constexpr std::string_view kRouting[] = {"A", "B", "C", "Sum"};
constexpr std::string_view kBandName[] = {"Full-Range",
                                          "Sub-Woofer",
                                          "Low",
                                          "Low Mid",
                                          "Mid",
                                          "High Mid",
                                          "High",
                                          "Left Full-Range",
                                          "Left Sub-Woofer",
                                          "Left Low",
                                          "Left Low Mid",
                                          "Left Mid",
                                          "Left High Mid",
                                          "Left High",
                                          "Right Full-Range",
                                          "Right Sub-Woofer",
                                          "Right Low",
                                          "Right Low Mid",
                                          "Right Mid",
                                          "Right High Mid",
                                          "Right High"};
constexpr std::string_view kHPType[] = {"Off",    "But 6",  "But 12", "Bes 12", "L-R 12", "But 18",
                                        "But 24", "Bes 24", "L-R 24", "But 48", "L-R 48"};
constexpr std::string_view kLPType[] = {"Off",    "But 6",   "But 12", "Bes 12", "L-R 12", "But 18",
                                        "But 24", "Bes 24 ", "L-R 24", "But 48", "L-R 48"};
constexpr std::string_view kEqKind[] = {"Low Shelving", "Parametric", "High Shelving"};
constexpr std::string_view kEqSlope[] = {" 6 dB/Oct", "12 dB/Oct "};
constexpr std::string_view kRatio[] = {"1.1 :1", "1.2 :1", "1.4 :1", "1.6 :1", "1.8 :1", "2.0 :1",
                                       "2.5 :1", "3.0 :1", "3.5 :1", "4 :1",   "5 :1",   "6 :1",
                                       "8 :1",   "10 :1",  "20 :1",  "INF"};
constexpr double kRatioValue[] = {1.1, 1.2, 1.4, 1.6, 1.8, 2, 2.5, 3, 3.5, 4, 5, 6, 8, 10, 20, 100};
static_assert(std::size(kRatio) == RatioScale::kSteps);
static_assert(std::size(kRatioValue) == RatioScale::kSteps);

constexpr int Count(std::span<const std::string_view> items) {
  return static_cast<int>(items.size());
}

constinit const ListScale kRatioList{kRatio, Count(kRatio)};

}  // namespace

std::string ListScale::Format(int step) const {
  if (step < 0) step = 0;
  if (step >= steps_) step = steps_ - 1;
  return step < Count(items_) ? std::string(items_[step]) : std::string();
}

std::optional<int> ListScale::Read(std::string_view text) const {
  for (int i = 0; i < Count(items_) && i < steps_; ++i)
    if (items_[i] == text) return i;
  return std::nullopt;
}

constinit const ListScale SummerScale{kSummer, Count(kSummer)};
constinit const ListScale ABSourceScale{kABSource, Count(kABSource)};
constinit const ListScale OpModeScale{kOpMode, Count(kOpMode)};
constinit const ListScale InStereoLinkScale{kInStereoLink, Count(kInStereoLink)};
constinit const ListScale DelayUnitScale{kDelayUnit, Count(kDelayUnit)};
constinit const ListScale RoutingScale{kRouting, Count(kRouting)};
constinit const ListScale BandNameScale{kBandName, 28};
constinit const ListScale HPTypeScale{kHPType, Count(kHPType)};
constinit const ListScale LPTypeScale{kLPType, Count(kLPType)};
constinit const ListScale EqKindScale{kEqKind, Count(kEqKind)};
constinit const ListScale EqSlopeScale{kEqSlope, Count(kEqSlope)};

const ListScale& RatioScale::List() {
  return kRatioList;
}

double RatioScale::Value(int step) {
  return kRatioValue[step < 0 ? 0 : (step >= kSteps ? kSteps - 1 : step)];
}

}  // namespace korvan
