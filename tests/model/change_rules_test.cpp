#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "rules_fixture.h"

namespace korvan::test {
namespace {

TEST_F(RulesTest, SelectionMarksFollowTheSelectedChannelAndItsPartners) {
  ReceiveMode(1);  // inputs A+B linked, outputs 1-4, 2-5, 3-6 linked; A stays selected
  struct Step {
    int modix, value;  // the tool button of modix is edited to value
    int selected;
    std::array<int, 10> states;  // select state of inputs A..Sum, outputs 1..6
  } steps[] = {
      {InA, 0, InA, {1, 3, 0, 0, 0, 0, 0, 0, 0, 0}},  // the selected channel stays selected
      {InB, 1, InB, {3, 1, 0, 0, 0, 0, 0, 0, 0, 0}},  // a partner becomes the selection
      {Out(2), 1, Out(2), {0, 0, 0, 0, 0, 1, 0, 0, 3, 0}},
      {InC, 1, InC, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},  // an unlinked channel has no partner
  };
  for (const Step& s : steps) {
    Edit(C(s.modix, mc::Select), s.value);
    EXPECT_EQ(model.SelectedModule, s.selected) << s.modix;
    for (int id = 1; id <= 10; ++id) {
      EXPECT_EQ(model.Module(id).selectState, s.states[id - 1]) << s.modix << " module " << id;
      EXPECT_EQ(V(id, mc::Select), s.states[id - 1]) << s.modix << " control 1 of " << id;
    }
  }
}

TEST_F(RulesTest, SetupAndMiscSelectControlsNeverBecomeTheSelection) {
  Edit(C(InB, mc::Select), 1);
  Edit(C(kSetupModix, mc::Select), 1);
  Edit(C(kMiscModix, mc::Select), 1);
  EXPECT_EQ(model.SelectedModule, InB);
  EXPECT_EQ(model.Module(InB).selectState, 1);
}

TEST_F(RulesTest, InputLinkCopiesMasterExceptMuteAndSelection) {
  host.acceptSends = true;
  Set(C(InA, mc::Level), 200);
  Set(C(InA, mc::Mute), 1);
  Set(C(InA, mc::LongDelay), 900);
  Set(C(InA, mc::EqGain(3)), 170);
  Set(C(InB, mc::Level), 100);
  Edit(C(InB, mc::Select), 1);
  // The unit reports "A+B+C+Sum"; B, C and Sum take A's settings.
  SendPending();
  ASSERT_TRUE(model.ApplyReceivedEntry(kSetupModix, mc::InStereoLink, 3));
  model.ProcessChanges();
  for (int id : {InB, InC, InSum}) {
    EXPECT_EQ(V(id, mc::Level), 200) << id;
    EXPECT_EQ(V(id, mc::LongDelay), 900) << id;
    EXPECT_EQ(V(id, mc::EqGain(3)), 170) << id;
    EXPECT_EQ(V(id, mc::Mute), 0) << id;
  }
  EXPECT_EQ(model.Module(InB).selectState, 1);
  EXPECT_EQ(model.Module(InA).selectState, 3);
  EXPECT_EQ(model.Module(InSum).selectState, 3);
  // The copies go to the unit; the received switch itself is not echoed.
  EXPECT_NE(std::find(host.sent.begin(), host.sent.end(), &C(InSum, mc::Level)), host.sent.end());
  EXPECT_EQ(std::find(host.sent.begin(), host.sent.end(), &SetupCtrl(mc::InStereoLink)),
            host.sent.end());

  // Back to "A+B": an edit of A's band 3 gain reaches B and both are sent; C no longer follows.
  Edit(SetupCtrl(mc::InStereoLink), 1);
  SendPending();
  Edit(C(InA, mc::EqGain(3)), 120);
  EXPECT_EQ(V(InB, mc::EqGain(3)), 120);
  EXPECT_EQ(V(InC, mc::EqGain(3)), 170);
  EXPECT_EQ(host.sent, (std::vector<MCtrl*>{&C(InA, mc::EqGain(3)), &C(InB, mc::EqGain(3))}));
  // A link works both ways.
  Edit(C(InB, mc::Level), 80);
  EXPECT_EQ(V(InA, mc::Level), 80);
}

TEST_F(RulesTest, LinkModulesRefusesGroupsThatAreNotOneKindOfChannel) {
  Set(C(InA, mc::Level), 200);
  struct Case {
    int first;
    std::vector<int> others;
  } cases[] = {
      {InA, {Out(1)}},
      {InA, {InA}},
      {InA, {InB, InB}},
      {InA, {}},
      {InA, {InB, InC, InSum, InSum}},
      {kSetupModix, {InB}},
      {InA, {kMiscModix}},
      {InA, {12}},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(LinkModules(model, c.first, c.others)) << c.first;
    model.ProcessChanges();
  }
  for (int id = 1; id <= 10; ++id) EXPECT_EQ(model.Module(id).partnerIds[0], -1) << id;
  EXPECT_EQ(V(InB, mc::Level), 150);
  EXPECT_EQ(V(Out(1), mc::Level), 150);
}

TEST_F(RulesTest, OutputLinkCopiesEachGroupMasterExceptUnlinkedControls) {
  ReceiveMode(2);  // "LL MM HH": groups 1-2, 3-4, 5-6
  Edit(SetupCtrl(mc::OutStereoLink), 0);
  struct Field {
    int mcix;
    std::array<int, 3> masters;  // the values given to outputs 1, 3 and 5
    bool copied;
  } fields[] = {
      {mc::Level, {120, 121, 122}, true},
      {mc::EqGain(0), {170, 171, 172}, true},
      {mc::LimitThreshold, {200, 201, 202}, true},
      {mc::ShortDelay, {77, 78, 79}, true},
      {mc::HPType, {9, 8, 7}, true},
      {mc::Mute, {0, 0, 0}, false},
      {mc::LongDelay, {500, 501, 502}, false},
      {mc::BandName, {2, 3, 4}, false},
      {mc::Routing, {0, 2, 3}, false},
  };
  for (int g = 0; g < 3; ++g)
    for (const Field& f : fields) Set(C(Out(2 * g + 1), f.mcix), f.masters[g]);
  std::vector<int> before;
  for (int g = 0; g < 3; ++g)
    for (const Field& f : fields) before.push_back(V(Out(2 * g + 2), f.mcix));

  Edit(SetupCtrl(mc::OutStereoLink), 1);
  size_t i = 0;
  for (int g = 0; g < 3; ++g) {
    for (const Field& f : fields) {
      const int expected = f.copied ? f.masters[g] : before[i];
      EXPECT_EQ(V(Out(2 * g + 2), f.mcix), expected)
          << "output " << 2 * g + 2 << " control " << f.mcix;
      ++i;
    }
  }
  EXPECT_EQ(model.Module(Out(2)).partnerIds[0], Out(1));
  EXPECT_EQ(model.Module(Out(2)).partnerIds[1], -1);

  // Off again: the outputs are apart.
  Edit(SetupCtrl(mc::OutStereoLink), 0);
  Edit(C(Out(1), mc::Level), 10);
  EXPECT_EQ(V(Out(2), mc::Level), 120);
  EXPECT_EQ(model.Module(Out(2)).partnerIds[0], -1);
}

TEST_F(RulesTest, ThreeWayOutputLinkReachesEveryMemberFromAnyMember) {
  ReceiveMode(3);  // "LH LH LH": groups 1-3-5, 2-4-6
  Edit(C(Out(3), mc::Phase), 12);
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(V(Out(k), mc::Phase), k % 2 ? 12 : 0) << k;
  EXPECT_EQ(model.Module(Out(5)).partnerIds[0], Out(1));
  EXPECT_EQ(model.Module(Out(5)).partnerIds[1], Out(3));
}

TEST_F(RulesTest, CrossoverLinkMovesTheAdjoiningEdgeOfTheNextOutput) {
  struct Case {
    int mode, lower;  // low-pass frequency of output lower moved up 10 steps
    int upper;        // output whose high-pass follows, 0 for none
  } cases[] = {
      {0, 2, 3}, {0, 6, 0}, {1, 1, 2}, {1, 3, 0}, {1, 4, 5}, {2, 1, 3},
      {2, 2, 4}, {2, 5, 0}, {3, 1, 2}, {3, 2, 0}, {3, 5, 6},
  };
  for (const Case& c : cases) {
    ReceiveMode(c.mode);
    Edit(SetupCtrl(mc::OutStereoLink), 0);  // only the crossover rings
    std::array<int, 7> hp{}, lp{};
    for (int k = 1; k <= 6; ++k) {
      hp[k] = V(Out(k), mc::HPFreq);
      lp[k] = V(Out(k), mc::LPFreq);
    }
    const int target = std::min(lp[c.lower] + 10, 320);
    Edit(C(Out(c.lower), mc::LPFreq), target);
    for (int k = 1; k <= 6; ++k) {
      const int moved = k == c.upper ? target - lp[c.lower] : 0;
      EXPECT_EQ(V(Out(k), mc::HPFreq), hp[k] + moved) << c.mode << ":" << c.lower << " hp " << k;
      if (k != c.lower) {
        EXPECT_EQ(V(Out(k), mc::LPFreq), lp[k]) << c.mode << ":" << c.lower << " lp " << k;
      }
    }
  }
}

TEST_F(RulesTest, CrossoverRingAndStereoLinkTogetherKeepBothSidesInStep) {
  ReceiveMode(1);  // "LMH LMH" with both links on
  Edit(C(Out(1), mc::LPFreq), 134);
  EXPECT_EQ(V(Out(2), mc::HPFreq), 134);
  EXPECT_EQ(V(Out(4), mc::LPFreq), 134);
  EXPECT_EQ(V(Out(5), mc::HPFreq), 134);
  // Moving the other edge back moves the neighbour back.
  Edit(C(Out(5), mc::HPFreq), 124);
  EXPECT_EQ(V(Out(4), mc::LPFreq), 124);
  EXPECT_EQ(V(Out(1), mc::LPFreq), 124);
  EXPECT_EQ(V(Out(2), mc::HPFreq), 124);
  // "Link" off: the edges are apart.
  Edit(SetupCtrl(mc::XOverLink), 0);
  Edit(C(Out(1), mc::LPFreq), 140);
  EXPECT_EQ(V(Out(2), mc::HPFreq), 124);
  EXPECT_FALSE(C(Out(2), mc::HPFreq).Has(MC_RING));
}

TEST_F(RulesTest, StackLinkMovesTheDelaysOfOneGroup) {
  struct Case {
    int mode, moved;
    std::array<bool, 6> follows;  // outputs 1..6 that take the same step
  } cases[] = {
      {0, 3, {true, true, true, true, true, true}},
      {1, 5, {false, false, false, true, true, true}},
      {2, 3, {true, false, true, false, true, false}},
      {3, 4, {false, false, true, true, false, false}},
  };
  for (const Case& c : cases) {
    ReceiveMode(c.mode);
    Edit(SetupCtrl(mc::DelayLink), 1);
    Edit(C(Out(c.moved), mc::LongDelay), 100);
    for (int k = 1; k <= 6; ++k)
      EXPECT_EQ(V(Out(k), mc::LongDelay), c.follows[k - 1] ? 100 : 0)
          << "mode " << c.mode << " output " << k;
  }
}

TEST_F(RulesTest, StackLinkKeepsDistancesThroughClampingAndBack) {
  ReceiveMode(1);
  Set(C(Out(4), mc::LongDelay), 100);
  Set(C(Out(5), mc::LongDelay), 50);
  Set(C(Out(6), mc::LongDelay), 3000);
  Edit(SetupCtrl(mc::DelayLink), 1);
  struct Step {
    int five, four, six;
  } steps[] = {{150, 200, 3100}, {1500, 1550, 4000}, {50, 100, 3000}};
  for (const Step& s : steps) {
    Edit(C(Out(5), mc::LongDelay), s.five);
    EXPECT_EQ(V(Out(4), mc::LongDelay), s.four) << s.five;
    EXPECT_EQ(V(Out(6), mc::LongDelay), s.six) << s.five;
    EXPECT_EQ(V(Out(1), mc::LongDelay), 0) << s.five;
  }
  // Switching "Stack Link" off leaves the delays where they are.
  Edit(SetupCtrl(mc::DelayLink), 0);
  Edit(C(Out(5), mc::LongDelay), 60);
  EXPECT_EQ(V(Out(4), mc::LongDelay), 100);
}

}  // namespace
}  // namespace korvan::test
