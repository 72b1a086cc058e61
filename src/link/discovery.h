#pragma once
// Finding the units on the line and choosing, renaming and renumbering them: the search and its
// end, the found-device list (sorted by name) and the identity controls of the connect dialog.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/scheduler.h"
#include "core/settings.h"
#include "core/ui.h"
#include "link/frame_sender.h"
#include "link/identity.h"
#include "link/link_hooks.h"
#include "link/serial_port.h"
#include "link/texter.h"

namespace korvan {

// One row of "Recognized Devices : ", owning its copy of the unit's record.
struct FoundEntry {
  std::string caption;
  IdentityRecord record;
};

// What the connect dialog's identity controls show.
struct DiscoveryView {
  std::vector<std::string> portBox;  // "COM n", sorted as text
  int portSelection = -1;            // index into portBox; -1 = none chosen
  std::string versionText;           // "Version :"
  std::string nameText;              // "Name :"
  int deviceIndex = -1;              // "Device ID :" entry ("1".."16" = index 0..15); -1 = none
  bool synchronizeEnabled = false;   // "&Synchronize"
  bool deviceBoxEnabled = false;
  bool nameBoxEnabled = false;
  bool updateEnabled = false;  // "Software &Update Service"
};

class Discovery {
 public:
  static constexpr int kSearchTimeoutMs = 1800;

  Discovery(SerialPort& port, FrameSender& sender, Texter& log, Ui& ui, Scheduler& scheduler,
            LinkHooks& hooks, UnitIdentity& identity);

  // True for an identity reply that holds every byte it is read for (the name unless major is
  // 127); shorter ones are ignored.
  static bool IsCompleteIdentity(std::span<const uint8_t> frame);

  // The port box: scans COM 1..16 into it (emptied first).
  void ScanPorts();
  // Chooses the entry "COM n"; false when the box has none.
  bool ChoosePort(int portNumber);
  // The port number of the chosen entry; 0 = none.
  int ChosenPort() const;

  // Sends a search on the chosen port and waits TimeoutTimer for the answers.
  void StartSearch();
  // "Search Korvan's": the chosen port, else the lowest port present in the last scan.
  void SearchButton();
  // An identity reply (the dispatcher has cleared searchPending, logged and set linkKind).
  void OnIdentityReply(std::span<const uint8_t> frame);
  // TimeoutTimer expired (also run directly when the port could not be opened for a search).
  void OnSearchTimeout();
  // Selects entry index; runs OnSelectUnit when it becomes selected.
  void Select(int index);
  void OnSelectUnit(int index);
  // A click on the list: with nothing selected, the first entry is selected.
  void ListClick();
  // "Device ID :" changed to entry index (device number 0..15).
  void ChangeDeviceNumber(int index);
  // The name box was left or Enter released in it.
  void RenameUnit(const std::string& text);

  // True while a search waits for its answers (or a Retry is about to start one).
  bool SearchTimerRunning() const { return timeoutTimer_->Running() || retryTimer_->Running(); }

  // The unit used last from the settings (section "Last" and the unit's own section), and
  // back: Last/Device and one section per listed unit.
  void LoadLastUsed(const Settings& settings);
  void SaveUnits(Settings& settings) const;

  // Program-wide link state.
  bool searchPending = false;
  int linkKind = 0;  // LinkKind: 1 = serial port

  std::vector<FoundEntry> found;  // sorted by caption
  int selected = -1;
  DiscoveryView view;

 private:
  int AddEntry(FoundEntry entry);
  void SortKeepingSelection();
  void EnableUnitControls(bool enabled);
  void SearchFailed();

  SerialPort& port_;
  FrameSender& sender_;
  Texter& log_;
  Ui& ui_;
  LinkHooks& hooks_;
  UnitIdentity& identity_;
  std::unique_ptr<Timer> timeoutTimer_;
  std::unique_ptr<Timer> retryTimer_;
};

}  // namespace korvan
