#include "support/fake_ui.h"

#include <algorithm>

namespace korvan::test {

MsgResult FakeUi::MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) {
  boxes.push_back({text, icon, buttons});
  events.push_back("box: " + text);
  if (answers.empty()) return FirstButton(buttons);
  MsgResult r = answers.front();
  answers.pop_front();
  return r;
}

void FakeUi::ShowErrorPopup(const std::string& name, const std::string& what,
                            const std::string& why) {
  popupVisible = true;
  popupName = name;
  popupWhat = what;
  popupWhy = why;
  events.push_back("popup: " + name + " / " + what + " / " + why);
}

void FakeUi::HideErrorPopup() {
  popupVisible = false;
  events.push_back("popup hidden");
}

void FakeUi::ProgressShow() {
  progressVisible = true;
  events.push_back("progress shown");
}
void FakeUi::ProgressClose() {
  progressVisible = false;
  events.push_back("progress closed");
}
void FakeUi::ProgressCaption(const std::string& caption) {
  events.push_back("progress caption: " + caption);
}
void FakeUi::ProgressBar(int position, int maximum) {
  events.push_back("progress bar: " + std::to_string(position) + "/" + std::to_string(maximum));
}
void FakeUi::ProgressPercent(const std::string& text) {
  events.push_back("progress %: " + text);
}
void FakeUi::ProgressCancelVisible(bool visible) {
  events.push_back(std::string("progress cancel: ") + (visible ? "shown" : "hidden"));
}
void FakeUi::BusyCursor(bool b) {
  busy = b;
}
void FakeUi::MainStatus(int panel, const std::string& text) {
  if (panel >= 0 && panel < 3) mainStatus[panel] = text;
  events.push_back("status " + std::to_string(panel) + ": " + text);
}
void FakeUi::ConnectStatus(const std::string& text) {
  connectStatus = text;
  events.push_back("connect status: " + text);
}
void FakeUi::EditedMark(bool shown) {
  edited = shown;
}
void FakeUi::BankMenusChanged() {
  events.push_back("bank menus changed");
}
void FakeUi::RefreshDisplayPage() {
  events.push_back("display refreshed");
}
void FakeUi::Meters(const MeterValues& values) {
  meters = values;
  ++meterUpdates;
}
std::string FakeUi::AskOpenFileName(const std::string& filter) {
  events.push_back("open dialog: " + filter);
  if (fileNames.empty()) return {};
  std::string f = fileNames.front();
  fileNames.pop_front();
  return f;
}
std::string FakeUi::AskSaveFileName(const std::string& filter) {
  events.push_back("save dialog: " + filter);
  if (fileNames.empty()) return {};
  std::string f = fileNames.front();
  fileNames.pop_front();
  return f;
}

bool FakeUi::Saw(const std::string& line) const {
  return std::find(events.begin(), events.end(), line) != events.end();
}

}  // namespace korvan::test
