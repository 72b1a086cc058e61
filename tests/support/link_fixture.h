#pragma once
// An editor on a fake port system and a manual clock, its log in a fresh temporary folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "support/fake_port.h"
#include "support/fake_ui.h"
#include "support/log_lines.h"
#include "support/temp_dir.h"

namespace korvan::test {

class LinkTest : public ::testing::Test {
 protected:
  bool Logged(const std::string& line) const { return LogHas(dir.path() + "/test.txt", line); }
  // Opens COM 1 and clears what that recorded.
  void OpenCom1() {
    editor.port().portNumber = 1;
    ASSERT_TRUE(editor.port().OpenPort());
    ports.events.clear();
  }
  // Lets bytes arrive and one CommTimer tick take them.
  void Receive(const std::vector<uint8_t>& bytes) {
    ports.Feed(bytes);
    clock.Advance(SerialPort::kCommIntervalMs);
  }

  TempDir dir;
  FakeUi ui;
  ManualScheduler clock;
  FakePortSystem ports;
  Editor editor{ui, clock, {.ports = &ports, .logFolder = dir.path()}};
};

}  // namespace korvan::test
