// Local edits queued and sent to a linked unit, and changes from the unit applied, over a fake
// port and a manual clock driven through the main timer.

#include "link/live_exchange.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/sysex.h"
#include "model/control_ids.h"
#include "support/link_fixture.h"

namespace korvan::test {
namespace {

using Bytes = std::vector<uint8_t>;

class LiveTest : public LinkTest {
 protected:
  void Link() {
    OpenCom1();
    editor.SetRemoteMode(kRemoteLinked);
  }
  // The frames of one command written so far.
  std::vector<Bytes> Sent(uint8_t cmd) const {
    std::vector<Bytes> out;
    for (const auto& w : ports.writes)
      if (w.size() > 7 && w[kCommandOffset] == cmd) out.push_back(w);
    return out;
  }
  // The entries (modix, mcix, value) of a parameter-change frame.
  static std::vector<ParamChange> Entries(const Bytes& f) {
    std::vector<ParamChange> out;
    for (size_t i = 0; i < f[7]; ++i)
      out.push_back(Model::DecodeChange(std::span<const uint8_t>(f).subspan(8 + 4 * i).first<4>()));
    return out;
  }
  void AnswerStatus() { Receive(MakeStatus(1, Bytes(16, 0))); }
  void Edit(int modix, int mcix, int v) {
    editor.model().EditValue(editor.model().Ctrl(modix, mcix), v);
  }
  MCtrl& C(int modix, int mcix) { return editor.model().Ctrl(modix, mcix); }
  Bytes Changes(std::initializer_list<std::array<int, 3>> entries) {
    Bytes e;
    for (const auto& x : entries) {
      const auto b = Model::EncodeChange(x[0], x[1], x[2]);
      e.insert(e.end(), b.begin(), b.end());
    }
    return MakeParamChanges(1, e);
  }
};

TEST_F(LiveTest, FortyMovesOfAFaderTravelAsOneEntryWithTheLastValue) {
  Link();
  for (int v = 100; v < 140; ++v) Edit(7, mc::Level, v);
  clock.Advance(MainTimer::kFirstTickMs);
  const auto frames = Sent(SYSEX_PARAM_CHANGES);
  ASSERT_EQ(frames.size(), 1u);
  const auto e = Entries(frames[0]);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].modix, 7);
  EXPECT_EQ(e[0].mcix, mc::Level);
  EXPECT_EQ(e[0].value, 139);
  EXPECT_EQ(frames[0].size(), 13u);
  // Changes first, then the status request.
  ASSERT_GE(ports.writes.size(), 2u);
  EXPECT_EQ(ports.writes.back()[kCommandOffset], SYSEX_STATUS_REQUEST);
  EXPECT_EQ(ports.writes.back(), MakeStatusRequest(editor.sender().Device(), -2, -2));
}

TEST_F(LiveTest, AHundredEditsGoAs79ThenAfterTheNextStatusExchange21InEditOrder) {
  Link();
  // Controls without rules or links, in a scattered order, each edited twice.
  std::vector<MCtrl*> picked;
  for (int id = 10; id >= 1 && picked.size() < 100; --id)
    for (MCtrl& c : editor.model().Module(id).controls)
      if (picked.size() < 100 && c.Enabled() && c.Has(MC_SEND) && c.maxStep > 2 &&
          c.onChange == ChangeRule::None && !c.partners[0] && !c.Has(MC_RING))
        picked.push_back(&c);
  ASSERT_EQ(picked.size(), 100u);
  for (MCtrl* c : picked) editor.model().EditValue(*c, c->value == 1 ? 2 : 1);
  for (MCtrl* c : picked) editor.model().EditValue(*c, c->value == 1 ? 2 : 1);

  clock.Advance(MainTimer::kFirstTickMs);
  clock.Advance(1000);  // no answer yet: VuTimer keeps the line quiet
  ASSERT_EQ(Sent(SYSEX_PARAM_CHANGES).size(), 1u);
  AnswerStatus();
  clock.Advance(MainTimer::kIntervalMs);
  const auto frames = Sent(SYSEX_PARAM_CHANGES);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0][7], 79);
  EXPECT_EQ(frames[0].size(), 325u);
  EXPECT_EQ(frames[1][7], 21);
  std::vector<ParamChange> all = Entries(frames[0]);
  for (const auto& e : Entries(frames[1])) all.push_back(e);
  for (size_t i = 0; i < picked.size(); ++i) {
    EXPECT_EQ(all[i].modix, picked[i]->modix) << i;
    EXPECT_EQ(all[i].mcix, picked[i]->mcix) << i;
    EXPECT_EQ(all[i].value, picked[i]->value) << i;
  }
}

TEST_F(LiveTest, StandAloneEditsAreNeitherQueuedNorSentLater) {
  OpenCom1();
  Edit(5, mc::Level, 10);
  clock.Advance(MainTimer::kFirstTickMs);
  editor.SetRemoteMode(kRemoteLinked);
  clock.Advance(MainTimer::kIntervalMs * 3);
  EXPECT_TRUE(Sent(SYSEX_PARAM_CHANGES).empty());
  EXPECT_FALSE(Sent(SYSEX_STATUS_REQUEST).empty());
  EXPECT_FALSE(C(5, mc::Level).Has(DO_SEND));
}

TEST_F(LiveTest, NothingIsSentWhileATransferWaitsForTheUnit) {
  Link();
  editor.replyTimers().UploadTimer().Start(ReplyTimers::kUploadMs);
  Edit(5, mc::Level, 10);
  clock.Advance(ReplyTimers::kUploadMs - 10);
  EXPECT_TRUE(ports.writes.empty());
  clock.Advance(10 + MainTimer::kIntervalMs);
  EXPECT_EQ(Sent(SYSEX_PARAM_CHANGES).size(), 1u);
}

TEST_F(LiveTest, ReceivedEntriesAreAppliedSkippedClampedAndLogged) {
  Link();
  const int maxLevel = C(11, 1).maxStep;
  Receive(Changes(
      {{11, 1, maxLevel}, {12, 1, 5}, {7, 0, 5}, {7, mc::Level, 1000}, {0, mc::OpMode, 4}}));
  EXPECT_TRUE(Logged("p 5, b 20"));
  EXPECT_TRUE(Logged("modix 11, mcix 1, v " + std::to_string(maxLevel)));
  EXPECT_FALSE(Logged("modix 12, mcix 1, v 5"));
  EXPECT_FALSE(Logged("modix 7, mcix 0, v 5"));
  EXPECT_TRUE(Logged("modix 7, mcix 2, v 1000"));             // logged as received,
  EXPECT_EQ(C(7, mc::Level).value, C(7, mc::Level).maxStep);  // stored clamped
  EXPECT_FALSE(Logged("modix 0, mcix 5, v 4"));
  EXPECT_EQ(editor.model().SetupValue(mc::OpMode), 1);

  Receive(Changes({{0, mc::OpMode, 2}}));
  EXPECT_TRUE(Logged("modix 0, mcix 5, v 2"));
  EXPECT_EQ(editor.model().SetupValue(mc::OpMode), 2);
  EXPECT_EQ(editor.model().EqLimit, 40.0f);  // the configuration was applied at once

  // A count that disagrees with the length is only logged.
  Bytes bad = Changes({{7, mc::Level, 3}, {8, mc::Level, 3}});
  bad.erase(bad.end() - 2);
  Receive(bad);
  EXPECT_TRUE(Logged("p 2, b 7"));
  EXPECT_NE(C(8, mc::Level).value, 3);
}

TEST_F(LiveTest, AReceivedChangeIsNotEchoedButItsLinkPartnerIsSent) {
  Link();
  Receive(Changes({{0, mc::OpMode, 2}}));  // "LL MM HH": outputs 1 and 2 a stereo pair
  Edit(0, mc::OutStereoLink, 1);
  // Let the reset and the linking travel first.
  for (int i = 0; i < 10; ++i) {
    clock.Advance(MainTimer::kIntervalMs);
    AnswerStatus();
  }
  ASSERT_TRUE(editor.live().QueueEmpty());
  ports.writes.clear();

  Receive(Changes({{5, mc::Level, 111}}));
  clock.Advance(MainTimer::kIntervalMs);
  EXPECT_EQ(C(5, mc::Level).value, 111);
  EXPECT_EQ(C(6, mc::Level).value, 111);
  const auto frames = Sent(SYSEX_PARAM_CHANGES);
  ASSERT_EQ(frames.size(), 1u);
  const auto e = Entries(frames[0]);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].modix, 6);
  EXPECT_EQ(e[0].mcix, mc::Level);
  EXPECT_EQ(e[0].value, 111);
}

TEST_F(LiveTest, ALockedUnitRefusesAnEditWithThePopupAndNothingIsQueued) {
  Link();
  editor.identity().current.name = "LEFT";
  editor.SetLockState(kGlobalLock);
  const int before = C(5, mc::Level).value;
  Edit(5, mc::Level, before + 5);
  EXPECT_EQ(C(5, mc::Level).value, before);
  EXPECT_EQ(editor.status().ErrorType, kErrorParameterLocked);
  EXPECT_TRUE(ui.popupVisible);
  EXPECT_EQ(ui.popupName, "LEFT");
  EXPECT_EQ(ui.popupWhat, "Cannot change Parameter");
  EXPECT_EQ(ui.popupWhy, "Parameter is locked");
  clock.Advance(MainTimer::kFirstTickMs);
  EXPECT_TRUE(Sent(SYSEX_PARAM_CHANGES).empty());
  // The unit's own changes still come in.
  Receive(Changes({{5, mc::Level, 7}}));
  EXPECT_EQ(C(5, mc::Level).value, 7);
  EXPECT_TRUE(editor.RefuseWhileLocked());
  editor.SetLockState(0);
  EXPECT_FALSE(editor.RefuseWhileLocked());
}

}  // namespace
}  // namespace korvan::test
