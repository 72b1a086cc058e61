#pragma once
// One editor session: owns the parameter model and (as they are built) the device link and the
// transfer engine, with every piece of program-wide state. Two editors share nothing.

#include <string>

#include "core/scheduler.h"
#include "core/ui.h"
#include "model/model.h"
#include "model/presets.h"
#include "transfer/chunk_codec.h"
#include "transfer/file_commands.h"

namespace korvan {

class Editor : public ModelHost, public PresetHost {
 public:
  // ui and scheduler must outlive the editor. Starts as the program does: modules at their
  // defaults, the default preset, the factory bank in the internal presets.
  Editor(Ui& ui, Scheduler& scheduler);
  ~Editor() override;
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  Model& model() { return model_; }
  const Model& model() const { return model_; }
  Ui& ui() { return ui_; }
  Scheduler& scheduler() { return scheduler_; }
  PresetStore& presets() { return presets_; }
  const PresetStore& presets() const { return presets_; }
  ChunkCodec& chunks() { return chunks_; }
  FileCommands& files() { return files_; }

  // ModelHost: the model's links to the send queue, the unit's lock state and the user.
  bool QueueForSend(MCtrl& control) override;
  int LockState() const override { return lockState_; }
  void ShowErrorPopup(const std::string& line1, const std::string& line2) override;
  MsgResult MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;

  // The lock state the unit reported last (0: none).
  void SetLockState(int state) { lockState_ = state; }

  // PresetHost. RemoteMode: 0 stand-alone, 0x80 linked.
  int RemoteMode() const override { return remoteMode_; }
  void SetRemoteMode(int mode) override { remoteMode_ = mode; }
  // Sends the current set to the unit; nothing happens stand-alone. The sending itself comes
  // with the transfer sequences; until then a request while linked is only counted.
  void SyncToPcExecute() override;
  int SyncToPcRequests() const { return syncToPcRequests_; }
  void RefreshDisplayPage() override { ui_.RefreshDisplayPage(); }

  // A line for the diagnostic log (dropped until the log is built).
  void Log(const std::string& line);

 private:
  void ReadFactoryBank();

  Ui& ui_;
  Scheduler& scheduler_;
  Model model_;
  int lockState_ = 0;
  int remoteMode_ = 0;
  int syncToPcRequests_ = 0;
  PresetStore presets_;
  ChunkCodec chunks_;
  FileCommands files_;
};

}  // namespace korvan
