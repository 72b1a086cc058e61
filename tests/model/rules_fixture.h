#pragma once
// A model driven as the pages and the link drive it, with helpers that name channels the way
// the user sees them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/change_rules.h"
#include "support/model_fixture.h"

namespace korvan::test {

// Records the icon and buttons of each message box as well as its text.
class BoxHost : public RecordingHost {
 public:
  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override {
    icons.push_back(icon);
    buttonSets.push_back(buttons);
    return RecordingHost::MessageBox(text, icon, buttons);
  }
  std::vector<MsgIcon> icons;
  std::vector<MsgButtons> buttonSets;
};

class RulesTest : public ::testing::Test {
 protected:
  static constexpr int InA = 1, InB = 2, InC = 3, InSum = 4;
  static int Out(int k) { return kFirstOutputModix + k - 1; }  // outputs 1..6

  MCtrl& C(int modix, int mcix) { return model.Ctrl(modix, mcix); }
  int V(int modix, int mcix) const { return model.Ctrl(modix, mcix).value; }
  MCtrl& SetupCtrl(int mcix) { return model.Setup(mcix); }

  // The user's edit, carried out on the next timer tick.
  void Edit(MCtrl& c, int v) {
    model.EditValue(c, v);
    model.ProcessChanges();
  }
  void Set(MCtrl& c, int v) {
    model.SetValue(c, v, NOTIFY_FULL);
    model.ProcessChanges();
  }
  // The send queue takes every control out, as sending the pending changes does.
  void SendPending() {
    for (int id = 0; id < kModuleCount; ++id)
      for (MCtrl& c : model.Module(id).controls) c.flags &= ~DO_SEND;
    host.sent.clear();
  }
  // The unit switches the output configuration.
  void ReceiveMode(int mode) {
    ASSERT_TRUE(model.ApplyReceivedEntry(kSetupModix, mc::OpMode, mode));
    model.ProcessChanges();
  }

  BoxHost host;
  Model model{&host};
};

}  // namespace korvan::test
