#pragma once
// An editor as the program starts it, with a scripted Ui, and a folder of its own for files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "model/change_rules.h"
#include "support/fake_ui.h"

namespace korvan::test {

class EditorTest : public ::testing::Test {
 protected:
  Model& model() { return editor.model(); }
  PresetStore& presets() { return editor.presets(); }
  MCtrl& C(int modix, int mcix) { return editor.model().Ctrl(modix, mcix); }
  int V(int modix, int mcix) { return editor.model().Ctrl(modix, mcix).value; }
  static int Out(int k) { return kFirstOutputModix + k - 1; }  // outputs 1..6

  // A user's edit and the timer tick after it.
  void Edit(int modix, int mcix, int v) {
    model().EditValue(C(modix, mcix), v);
    model().ProcessChanges();
  }
  // The operating mode changed on the setup page, confirmed.
  void ChangeMode(int mode) {
    model().EditValue(C(kSetupModix, 5), mode);
    ApplyOutputConfiguration(model());
    model().ProcessChanges();
  }

  // A fresh folder for this test's files.
  std::string Dir() {
    if (dir_.empty()) {
      const char* base = std::getenv("KORVAN_TEST_TMP");
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      std::filesystem::path p = std::filesystem::path(base ? base : "/tmp") / "korvan-tests" /
                                (std::string(info->test_suite_name()) + "." + info->name());
      std::filesystem::remove_all(p);
      std::filesystem::create_directories(p);
      dir_ = p.string();
    }
    return dir_;
  }
  std::string Path(const std::string& name) { return Dir() + "/" + name; }

  FakeUi ui;
  ManualScheduler clock;
  Editor editor{ui, clock};

 private:
  std::string dir_;
};

}  // namespace korvan::test
