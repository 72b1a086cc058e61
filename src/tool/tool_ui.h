#pragma once
// The Ui of korvan-tool: file dialogs answer with the names the command was given, message
// boxes with their first button; the last box is kept so a command can report it.

#include <deque>
#include <string>

#include "core/ui.h"

namespace korvan::tool {

class ToolUi : public SilentUi {
 public:
  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  std::string AskOpenFileName(const std::string&) override { return Next(); }
  std::string AskSaveFileName(const std::string&) override { return Next(); }
  // On a terminal (stderr), transfers draw a progress bar there.
  void ProgressBar(int position, int maximum) override;
  void ProgressClose() override;
  // Ends a bar left on the terminal with a new line.
  void EndProgressLine();

  bool progressOnTerminal = false;

  // Names for the next file dialogs, in order.
  std::deque<std::string> fileNames;
  // The last message box, as "first line: last line" (a file error: "FILE: File has Illegal data").
  std::string lastBox;

 private:
  std::string Next();
  bool barShown_ = false;
};

}  // namespace korvan::tool
