#include <gtest/gtest.h>

#include <array>

#include "rules_fixture.h"

namespace korvan::test {
namespace {

struct OutputRow {
  int name, source, hpFreq, lpType, lpFreq;
};

struct ModeCase {
  int mode;
  std::array<OutputRow, 6> outputs;
  int inStereoLink;
  int outStereoLink;
  std::array<int, 3> out1Partners;  // outputs 1..6, 0 for none
  std::array<int, 3> inAPartners;   // module ids, -1 for none
  int out1LowPassMeets;             // the output whose high-pass follows output 1's low-pass
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << "mode " << c.mode; }

const ModeCase kModes[] = {
    {0,
     {{{1, 0, 0, 6, 64},
       {2, 0, 64, 6, 114},
       {3, 0, 114, 6, 166},
       {4, 0, 166, 6, 216},
       {5, 0, 216, 6, 264},
       {6, 0, 264, 0, 319}}},
     0,
     0,
     {0, 0, 0},
     {-1, -1, -1},
     2},
    {1,
     {{{9, 0, 0, 6, 124},
       {11, 0, 124, 6, 232},
       {13, 0, 232, 0, 319},
       {16, 1, 0, 6, 124},
       {18, 1, 124, 6, 232},
       {20, 1, 232, 0, 319}}},
     1,
     1,
     {4, 0, 0},
     {2, -1, -1},
     2},
    {2,
     {{{9, 0, 0, 6, 124},
       {16, 1, 0, 6, 124},
       {11, 0, 124, 6, 232},
       {18, 1, 124, 6, 232},
       {13, 0, 232, 0, 319},
       {20, 1, 232, 0, 319}}},
     1,
     1,
     {2, 0, 0},
     {2, -1, -1},
     3},
    {3,
     {{{9, 0, 0, 6, 180},
       {13, 0, 180, 0, 319},
       {23, 1, 0, 6, 180},
       {27, 1, 180, 0, 319},
       {16, 2, 0, 6, 180},
       {20, 2, 180, 0, 319}}},
     2,
     1,
     {3, 5, 0},
     {2, 3, -1},
     2},
};

class ModeResetTest : public RulesTest, public ::testing::WithParamInterface<ModeCase> {
 protected:
  // Settings a user could have made that the reset must undo or keep.
  void Dirty() {
    Edit(SetupCtrl(mc::InStereoLink), 3);
    Edit(SetupCtrl(mc::DelayLink), 1);
    Edit(SetupCtrl(mc::Summer), 4);
    Edit(SetupCtrl(mc::SumGainB), 40);
    Edit(C(InA, mc::Mute), 1);
    Edit(C(InC, mc::EqOn), 1);
    Edit(C(InC, mc::EqGain(2)), 190);
    Edit(C(Out(6), mc::Mute), 0);
    Edit(C(Out(6), mc::Level), 10);
    Edit(C(Out(6), mc::HPType), 1);
    Edit(C(Out(6), mc::LongDelay), 700);
    Edit(C(Out(2), mc::DynEqOn), 1);
    Edit(C(Out(2), mc::LimitThreshold), 3);
    Edit(C(Out(4), mc::BandName), 25);
    model.EqLimit = 100.0f;
  }
};

TEST_P(ModeResetTest, ResetsOutputsToTheConfigurationAndRelinks) {
  const ModeCase& m = GetParam();
  // Start from another configuration so every mode is a real change.
  ReceiveMode(m.mode == 1 ? 3 : 1);
  Dirty();
  ReceiveMode(m.mode);

  EXPECT_EQ(model.OutputConfiguration, m.mode);
  EXPECT_EQ(V(kSetupModix, mc::OpMode), m.mode);
  EXPECT_EQ(model.EqLimit, 40.0f);
  for (int k = 1; k <= 6; ++k) {
    const OutputRow& r = m.outputs[k - 1];
    EXPECT_EQ(V(Out(k), mc::BandName), r.name) << "output " << k;
    EXPECT_EQ(V(Out(k), mc::Routing), r.source) << "output " << k;
    EXPECT_EQ(V(Out(k), mc::HPFreq), r.hpFreq) << "output " << k;
    EXPECT_EQ(V(Out(k), mc::LPType), r.lpType) << "output " << k;
    EXPECT_EQ(V(Out(k), mc::LPFreq), r.lpFreq) << "output " << k;
    EXPECT_EQ(V(Out(k), mc::HPType), 6) << "output " << k;
    EXPECT_EQ(V(Out(k), mc::Mute), 1) << "output " << k;
  }
  // Everything without MC_KEEP is back at its default; the kept setup settings survive.
  EXPECT_EQ(V(InA, mc::Mute), 0);
  EXPECT_EQ(V(InC, mc::EqOn), 0);
  EXPECT_EQ(V(InC, mc::EqGain(2)), 150);
  EXPECT_EQ(V(Out(6), mc::Level), 150);
  EXPECT_EQ(V(Out(6), mc::LongDelay), 0);
  EXPECT_EQ(V(Out(2), mc::DynEqOn), 0);
  EXPECT_EQ(V(Out(2), mc::LimitThreshold), 240);
  EXPECT_EQ(V(kSetupModix, mc::SumGainB), 150);
  EXPECT_EQ(V(kSetupModix, mc::Summer), 4);

  // The link switches of the configuration, and the links their rules rebuilt.
  EXPECT_EQ(V(kSetupModix, mc::InStereoLink), m.inStereoLink);
  EXPECT_EQ(V(kSetupModix, mc::OutStereoLink), m.outStereoLink);
  EXPECT_EQ(V(kSetupModix, mc::XOverLink), 1);
  EXPECT_EQ(V(kSetupModix, mc::DelayLink), 0);
  for (int i = 0; i < 3; ++i) {
    const int expected = m.out1Partners[i] ? Out(m.out1Partners[i]) : -1;
    EXPECT_EQ(model.Module(Out(1)).partnerIds[i], expected) << i;
    EXPECT_EQ(model.Module(InA).partnerIds[i], m.inAPartners[i]) << i;
  }
  EXPECT_EQ(model.Module(InSum).partnerIds[0], -1);
  EXPECT_EQ(C(Out(1), mc::LPFreq).ringNext, &C(Out(m.out1LowPassMeets), mc::HPFreq));
  for (int k = 1; k <= 6; ++k) EXPECT_FALSE(C(Out(k), mc::LongDelay).Has(MC_RING)) << k;
  // The selection (input A) is marked with its new partners.
  EXPECT_EQ(model.Module(InA).selectState, 1);
  EXPECT_EQ(model.Module(InB).selectState, m.inStereoLink ? 3 : 0);
  EXPECT_EQ(model.Module(InSum).selectState, 0);
  EXPECT_TRUE(model.QueueEmpty());
}

INSTANTIATE_TEST_SUITE_P(AllModes, ModeResetTest, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return "Mode" + std::to_string(info.param.mode); });

TEST_F(RulesTest, ResetToTheSameConfigurationStillResets) {
  ReceiveMode(1);
  Edit(C(Out(3), mc::HPFreq), 10);
  Edit(C(Out(1), mc::Mute), 0);
  ReceiveMode(1);
  EXPECT_EQ(V(Out(3), mc::HPFreq), 232);
  EXPECT_EQ(V(Out(1), mc::Mute), 1);
  EXPECT_EQ(model.Module(Out(3)).partnerIds[0], Out(6));
}

TEST_F(RulesTest, OutOfRangeConfigurationIsTakenAsTheNearest) {
  // Control 5 is stored directly from images and the unit; a damaged word must not index past
  // the configuration table.
  model.StoreDirect(SetupCtrl(mc::OpMode), 9);
  ApplyOutputConfiguration(model);
  model.ProcessChanges();
  EXPECT_EQ(model.OutputConfiguration, 3);
  EXPECT_EQ(V(kSetupModix, mc::OpMode), 3);
  EXPECT_EQ(V(Out(4), mc::BandName), 27);
}

}  // namespace
}  // namespace korvan::test
