#pragma once
// A Ui for tests: records everything shown as readable lines and answers message boxes from a
// script (first button when the script is empty).

#include <deque>
#include <string>
#include <vector>

#include "core/ui.h"

namespace korvan::test {

class FakeUi : public Ui {
 public:
  struct Box {
    std::string text;
    MsgIcon icon;
    MsgButtons buttons;
  };

  // Answers for the next message boxes, in order.
  void Answer(MsgResult r) { answers.push_back(r); }

  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  void ShowErrorPopup(const std::string& name, const std::string& what,
                      const std::string& why) override;
  void HideErrorPopup() override;
  void ProgressShow() override;
  void ProgressClose() override;
  void ProgressCaption(const std::string& caption) override;
  void ProgressBar(int position, int maximum) override;
  void ProgressPercent(const std::string& text) override;
  void ProgressCancelVisible(bool visible) override;
  void BusyCursor(bool busy) override;
  void MainStatus(int panel, const std::string& text) override;
  void ConnectStatus(const std::string& text) override;
  void EditedMark(bool shown) override;
  void BankMenusChanged() override;
  void RefreshDisplayPage() override;
  void Meters(const MeterValues& values) override;
  std::string AskOpenFileName(const std::string& filter) override;
  std::string AskSaveFileName(const std::string& filter) override;

  // True when some recorded line equals line.
  bool Saw(const std::string& line) const;
  void Clear() {
    events.clear();
    boxes.clear();
  }

  std::vector<std::string> events;  // every call, as one line each
  std::vector<Box> boxes;
  std::deque<MsgResult> answers;
  std::deque<std::string> fileNames;  // answers for the file dialogs ("" = cancel)

  // Last known state, for convenience.
  bool popupVisible = false;
  std::string popupName, popupWhat, popupWhy;
  bool progressVisible = false;
  bool busy = false;
  bool edited = false;
  std::string mainStatus[3];
  std::string connectStatus;
  MeterValues meters;
  int meterUpdates = 0;
};

}  // namespace korvan::test
