#pragma once
// Everything the core shows to or asks of the user goes through this interface. The Qt program
// implements it with widgets, the tests with a scripted fake, korvan-tool from its flags.

#include <array>
#include <string>

namespace korvan {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetry, Abort };
enum class MsgResult { Ok, Cancel, Yes, No, Abort, Retry };

// What a status report shows: the nine level meters (bits 0..2 each: MeterA, MeterB, MeterC,
// Meter1..Meter6), the six "Limit" labels, the Dyn 2 page's meters DynVu1..DynVu3 and the
// Limiter page's LimVu1, LimVu2 (0 while their page does not ask for them). Each meter clamps
// to its own range.
struct MeterValues {
  std::array<int, 9> levels{};
  std::array<bool, 6> limits{};
  std::array<int, 3> dyn{};
  std::array<int, 2> lim{};
};

enum class StatusPanel { Main0 = 0, Main1 = 1, Main2 = 2 };

class Ui {
 public:
  virtual ~Ui() = default;

  // A modal message box; returns the button pressed.
  virtual MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;

  // The error popup: the unit's name, what failed ("reports :") and why ("due to :"); shown,
  // or refreshed while it is visible.
  virtual void ShowErrorPopup(const std::string& name, const std::string& what,
                              const std::string& why) = 0;
  virtual void HideErrorPopup() = 0;

  // The progress window.
  virtual void ProgressShow() = 0;
  virtual void ProgressClose() = 0;
  virtual void ProgressCaption(const std::string& caption) = 0;
  virtual void ProgressBar(int position, int maximum) = 0;
  virtual void ProgressPercent(const std::string& text) = 0;
  virtual void ProgressCancelVisible(bool visible) = 0;

  virtual void BusyCursor(bool busy) = 0;

  // A panel of the main window's status bar; the connect dialog's status line.
  virtual void MainStatus(int panel, const std::string& text) = 0;
  virtual void ConnectStatus(const std::string& text) = 0;

  // The "Edited !" mark of the main window.
  virtual void EditedMark(bool shown) = 0;

  // The preset menus must be rebuilt from the banks' name lists.
  virtual void BankMenusChanged() = 0;
  // The Display page's texts (preset, names, lock) must be refreshed.
  virtual void RefreshDisplayPage() = 0;

  virtual void Meters(const MeterValues& values) = 0;

  // Asks for a file to open or to save; an empty result means the user cancelled.
  // filter is a list like "Preset Bank (*.kvn)".
  virtual std::string AskOpenFileName(const std::string& filter) = 0;
  virtual std::string AskSaveFileName(const std::string& filter) = 0;
};

// A Ui that shows nothing and answers every box with its first button (OK, Yes, Abort).
class SilentUi : public Ui {
 public:
  MsgResult MessageBox(const std::string&, MsgIcon, MsgButtons buttons) override;
  void ShowErrorPopup(const std::string&, const std::string&, const std::string&) override {}
  void HideErrorPopup() override {}
  void ProgressShow() override {}
  void ProgressClose() override {}
  void ProgressCaption(const std::string&) override {}
  void ProgressBar(int, int) override {}
  void ProgressPercent(const std::string&) override {}
  void ProgressCancelVisible(bool) override {}
  void BusyCursor(bool) override {}
  void MainStatus(int, const std::string&) override {}
  void ConnectStatus(const std::string&) override {}
  void EditedMark(bool) override {}
  void BankMenusChanged() override {}
  void RefreshDisplayPage() override {}
  void Meters(const MeterValues&) override {}
  std::string AskOpenFileName(const std::string&) override { return {}; }
  std::string AskSaveFileName(const std::string&) override { return {}; }
};

// The first button of a button set: what a box answers when nobody is there to press one.
MsgResult FirstButton(MsgButtons buttons);

}  // namespace korvan
