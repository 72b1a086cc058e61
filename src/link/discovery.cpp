#include "link/discovery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "link/com_mapping.h"
#include "link/sysex.h"

namespace korvan {
namespace {

constexpr int kNoNameMajor = 127;
constexpr int kIdentityNameOffset = 9;

bool CaptionLess(const FoundEntry& a, const FoundEntry& b) {
  return a.caption < b.caption;
}

}  // namespace

Discovery::Discovery(SerialPort& port, FrameSender& sender, Texter& log, Ui& ui,
                     Scheduler& scheduler, LinkHooks& hooks, UnitIdentity& identity)
    : port_(port), sender_(sender), log_(log), ui_(ui), hooks_(hooks), identity_(identity) {
  timeoutTimer_ = scheduler.CreateTimer(TimerKind::OneShot, [this] { OnSearchTimeout(); });
  retryTimer_ = scheduler.CreateTimer(TimerKind::OneShot, [this] { StartSearch(); });
}

bool Discovery::IsCompleteIdentity(std::span<const uint8_t> frame) {
  if (frame.size() < 10) return false;  // up to the minor byte, then F7
  if (frame[7] == kNoNameMajor) return true;
  return frame.size() >= kIdentityNameOffset + kNameLength + 1;
}

void Discovery::ScanPorts() {
  view.portBox.clear();
  view.portSelection = -1;
  port_.ScanPorts(view.portBox);
}

bool Discovery::ChoosePort(int portNumber) {
  const std::string entry = "COM " + std::to_string(portNumber);
  auto it = std::find(view.portBox.begin(), view.portBox.end(), entry);
  if (it == view.portBox.end()) return false;
  view.portSelection = static_cast<int>(it - view.portBox.begin());
  return true;
}

int Discovery::ChosenPort() const {
  if (view.portSelection < 0 || view.portSelection >= static_cast<int>(view.portBox.size()))
    return 0;
  const std::string& entry = view.portBox[view.portSelection];
  if (entry.rfind("COM ", 0) != 0) return 0;
  const int n = std::atoi(entry.c_str() + 4);
  return n >= 1 && n <= kComPortCount ? n : 0;
}

void Discovery::StartSearch() {
  view.versionText.clear();
  view.nameText.clear();
  found.clear();
  selected = -1;
  const int n = ChosenPort();
  if (n == 0) return;
  port_.portNumber = n;
  port_.ClosePort();
  hooks_.SetBusy(true);
  if (!sender_.SendSearch()) {
    // The port cannot be opened: nobody can answer, so end the search at once the way an
    // unanswered one ends. The dialog must not stay disabled.
    OnSearchTimeout();
    return;
  }
  searchPending = true;
  log_.Print("Searching for Korvan.");
  ui_.ProgressCaption("Scanning Port COM " + std::to_string(n) + " for KVNs");
  ui_.ProgressCancelVisible(false);
  ui_.ProgressShow();
  timeoutTimer_->Start(kSearchTimeoutMs);
}

void Discovery::SearchButton() {
  if (ChosenPort() != 0) {
    StartSearch();
    return;
  }
  for (int n = 1; n <= kComPortCount; ++n) {
    if (!(port_.presentMask & (1u << (n - 1)))) continue;
    if (ChoosePort(n)) StartSearch();
    return;
  }
}

void Discovery::OnIdentityReply(std::span<const uint8_t> frame) {
  if (!IsCompleteIdentity(frame)) return;
  IdentityRecord& cur = identity_.current;
  const int openPort = port_.openedPort;
  cur.deviceNumber = frame[kDeviceOffset] & 0x0F;
  cur.modelCode = frame[7] * 100 + frame[8];
  if (frame[7] == kNoNameMajor) {
    char name[IdentityRecord::kMaxName + 1];
    std::snprintf(name, sizeof name, "Device %d @ COM %d", cur.deviceNumber + 1, openPort);
    cur.name = name;
  } else {
    // Sixteen characters as they stand, ending early at a zero byte.
    const char* p = reinterpret_cast<const char*>(frame.data() + kIdentityNameOffset);
    cur.name.assign(p, std::find(p, p + kNameLength, '\0'));
  }
  cur.textId = MakeTextId(cur.modelCode, cur.deviceNumber, openPort);
  const int index = AddEntry(FoundEntry{cur.name, cur});
  const IdentityRecord& last = identity_.lastUsed;
  if (cur.deviceNumber == last.deviceNumber && cur.modelCode == last.modelCode) Select(index);
}

void Discovery::OnSearchTimeout() {
  timeoutTimer_->Stop();
  ui_.ProgressClose();
  hooks_.SetBusy(false);
  if (!found.empty()) {
    if (selected >= 0)
      OnSelectUnit(selected);
    else
      Select(0);
    EnableUnitControls(true);
    return;
  }
  SearchFailed();
}

void Discovery::SearchFailed() {
  const MsgResult r = ui_.MessageBox("Could not connect to Korvan.\nCheck connection.",
                                     MsgIcon::Error, MsgButtons::AbortRetry);
  if (r == MsgResult::Retry) {
    // From the event loop, not from here: a port that cannot be opened fails the new search at
    // once, and a user who keeps pressing Retry must not nest one search inside the other.
    retryTimer_->Start(0);
    hooks_.ShowConnectDialog();
    return;
  }
  log_.Print("Check connection.");
  IdentityRecord& cur = identity_.current;
  cur = identity_.lastUsed;
  cur.modelCode = 0;
  cur.textId = "DEV0";
  cur.name = "Virtual";
  hooks_.ShowConnectDialog();
  Select(AddEntry(FoundEntry{"Virtual", cur}));
  EnableUnitControls(false);
}

void Discovery::Select(int index) {
  if (index < 0 || index >= static_cast<int>(found.size()) || index == selected) return;
  selected = index;
  OnSelectUnit(index);
}

void Discovery::OnSelectUnit(int index) {
  if (index < 0 || index >= static_cast<int>(found.size())) return;
  const IdentityRecord rec = found[index].record;
  identity_.current = rec;
  identity_.lastUsed = rec;
  view.deviceIndex = rec.deviceNumber >= 0 && rec.deviceNumber <= 15 ? rec.deviceNumber : -1;
  view.versionText = VersionText(rec.modelCode);
  view.nameText = rec.name;
  log_.Print("Connected to %s", rec.name.c_str());
}

void Discovery::ListClick() {
  if (selected < 0 && !found.empty()) Select(0);
}

void Discovery::ChangeDeviceNumber(int index) {
  if (index < 0 || index > 15 || identity_.current.modelCode == 0) return;
  // Still addressed to the old number; the record takes the new one after the write.
  sender_.SendSetDeviceId(index);
  identity_.current.deviceNumber = index;
  view.deviceIndex = index;
  if (selected >= 0) found[selected].record = identity_.current;
}

void Discovery::RenameUnit(const std::string& text) {
  const std::string name = text.substr(0, kNameLength);
  identity_.current.name = name;
  view.nameText = name;
  if (selected < 0) return;
  found[selected].caption = name;
  found[selected].record = identity_.current;
  sender_.SendSetName(name);
  SortKeepingSelection();
}

int Discovery::AddEntry(FoundEntry entry) {
  auto it = std::upper_bound(found.begin(), found.end(), entry, CaptionLess);
  const int index = static_cast<int>(it - found.begin());
  found.insert(it, std::move(entry));
  if (selected >= index) ++selected;
  return index;
}

void Discovery::SortKeepingSelection() {
  if (selected < 0) {
    std::stable_sort(found.begin(), found.end(), CaptionLess);
    return;
  }
  FoundEntry keep = found[selected];
  found.erase(found.begin() + selected);
  selected = -1;
  selected = AddEntry(std::move(keep));
}

void Discovery::EnableUnitControls(bool enabled) {
  view.synchronizeEnabled = enabled;
  view.deviceBoxEnabled = enabled;
  view.nameBoxEnabled = enabled;
  view.updateEnabled = enabled;
}

void Discovery::LoadLastUsed(const Settings& settings) {
  if (!settings.HasSection("Last")) return;
  IdentityRecord& cur = identity_.current;
  cur.textId =
      settings.ReadString("Last", "Device", cur.textId).substr(0, IdentityRecord::kMaxTextId);
  if (settings.HasSection(cur.textId)) {
    cur.modelCode = settings.ReadInt(cur.textId, "Model", cur.modelCode);
    const int dev = settings.ReadInt(cur.textId, "DeviceNr", cur.deviceNumber);
    // A number no unit can have would address frames nowhere: such a unit counts as unknown.
    cur.deviceNumber = dev >= 0 && dev <= 15 ? dev : 32;
    cur.name =
        settings.ReadString(cur.textId, "Name", cur.name).substr(0, IdentityRecord::kMaxName);
    identity_.lastUsed = cur;
  }
}

void Discovery::SaveUnits(Settings& settings) const {
  settings.WriteString("Last", "Device", identity_.current.textId);
  for (const FoundEntry& e : found) {
    settings.WriteInt(e.record.textId, "Model", e.record.modelCode);
    settings.WriteInt(e.record.textId, "DeviceNr", e.record.deviceNumber);
    settings.WriteString(e.record.textId, "Name", e.record.name);
  }
}

}  // namespace korvan
