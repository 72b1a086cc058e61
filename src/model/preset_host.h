#pragma once
// What the preset operations need of the editor around the model: the remote mode that decides
// whether changes are queued for the unit, sending the current set, and the Display page.

namespace korvan {

class PresetHost {
 public:
  virtual ~PresetHost() = default;
  // 0 stand-alone, 0x80 linked to a unit.
  virtual int RemoteMode() const = 0;
  virtual void SetRemoteMode(int mode) = 0;
  // Sends the whole current set to the unit (nothing while stand-alone).
  virtual void SyncToPcExecute() = 0;
  // The Display page's preset, name and lock texts must be shown anew.
  virtual void RefreshDisplayPage() = 0;
};

}  // namespace korvan
