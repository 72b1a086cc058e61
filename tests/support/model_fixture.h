#pragma once
// A model with a host whose send queue, lock state and popups a test controls.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/control_ids.h"
#include "model/model.h"

namespace korvan::test {

class RecordingHost : public ModelHost {
 public:
  bool QueueForSend(MCtrl& c) override {
    if (!acceptSends || !c.Enabled() || !c.Has(MC_SEND) || c.maxStep == 0) return false;
    sent.push_back(&c);
    return true;
  }
  int LockState() const override { return lock; }
  void ShowErrorPopup(const std::string& a, const std::string& b) override {
    popups.push_back(a + " / " + b);
  }
  MsgResult MessageBox(const std::string& text, MsgIcon, MsgButtons) override {
    boxes.push_back(text);
    return MsgResult::Ok;
  }

  bool acceptSends = false;
  int lock = 0;
  std::vector<MCtrl*> sent;
  std::vector<std::string> popups;
  std::vector<std::string> boxes;
};

class ModelTest : public ::testing::Test {
 protected:
  MCtrl& C(int modix, int mcix) { return model.Ctrl(modix, mcix); }

  RecordingHost host;
  Model model{&host};
};

}  // namespace korvan::test
