#pragma once
// The editor's copy of every parameter: twelve modules of controls, the change queue and the
// program-wide state the change rules keep. One Model per editor; nothing is shared between two.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/mctrl.h"
#include "model/model_host.h"
#include "model/modul.h"

namespace korvan {

// A parameter image being read: words and a cursor. Reading past the end gives no word.
struct ImageReader {
  std::span<const uint16_t> words;
  size_t pos = 0;
  bool overrun = false;
  bool Next(uint16_t& w) {
    if (pos >= words.size()) {
      overrun = true;
      return false;
    }
    w = words[pos++];
    return true;
  }
};

// One received parameter change (four bytes on the wire).
struct ParamChange {
  int modix = 0;
  int mcix = 0;
  int value = 0;
};

class Model {
 public:
  // host may be null (stand-alone); it must outlive the model.
  explicit Model(ModelHost* host = nullptr);
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  void SetHost(ModelHost* host) { host_ = host; }
  ModelHost* Host() const { return host_; }

  // ModuleTable and the typed views.
  Modul& Module(int modix) { return *modules_[modix]; }
  const Modul& Module(int modix) const { return *modules_[modix]; }
  Modul& SetupModule() { return Module(kSetupModix); }
  Modul& InputModule(int i) { return Module(kFirstInputModix + i); }
  Modul& OutputModule(int i) { return Module(kFirstOutputModix + i); }
  Modul& MiscModule() { return Module(kMiscModix); }
  MCtrl& Ctrl(int modix, int mcix) { return modules_[modix]->controls[mcix]; }
  const MCtrl& Ctrl(int modix, int mcix) const { return modules_[modix]->controls[mcix]; }
  MCtrl& Setup(int mcix) { return Ctrl(kSetupModix, mcix); }
  int SetupValue(int mcix) const { return Ctrl(kSetupModix, mcix).value; }
  // The control at (modix, mcix), or null when there is none.
  MCtrl* Find(int modix, int mcix);

  // Control operations.
  void SetValue(MCtrl& c, int v, int mask);
  void EditValue(MCtrl& c, int v);
  void SetQuiet(MCtrl& c, int v);
  void SetFromPartner(MCtrl& c, int v);
  void RevertToReset(MCtrl& c);
  void Notify(MCtrl& c, int bits);
  void ApplyReceived(MCtrl& c, int v);
  // Stores v as the value without clamping or notification (the OpMode entry of received data).
  void StoreDirect(MCtrl& c, int v) { c.value = v; }

  // Links.
  void LinkControls(MCtrl& first, std::span<MCtrl* const> others);
  void UnlinkControl(MCtrl& c);
  void RingJoin(MCtrl& c, MCtrl& next);
  void RingPair(MCtrl& a, MCtrl& b);
  void RingLeave(MCtrl& c);
  void RingMove(MCtrl& origin);

  // Module operations.
  void RevertAll(Modul& m);
  void WriteModule(const Modul& m, std::vector<uint16_t>& image) const;
  // Reads the module's stored controls from the image. A word outside 0..maxStep is clamped to
  // the control's range, so a damaged image never takes a scale or a table out of its range.
  void ReadModule(Modul& m, ImageReader& image);
  static void WriteStored(const MCtrl& c, std::vector<uint16_t>& image);
  void ReadStored(MCtrl& c, ImageReader& image);

  // Drains the change queue. Notifications run while draining do not count as edits: both
  // edited flags are saved before and restored after.
  void ProcessChanges();
  bool QueueEmpty() const { return queueHead_ == nullptr; }

  // A change received from the unit; false when the entry is not taken.
  bool ApplyReceivedEntry(int modix, int mcix, int value);

  // Parameter addressing on the wire: modix, mcix, value high 7 bits, value low 7 bits.
  static std::array<uint8_t, 4> EncodeChange(int modix, int mcix, int value);
  static ParamChange DecodeChange(std::span<const uint8_t, 4> bytes);

  // The number of words of a parameter image: OutputConfiguration, the stored controls, one
  // reserved word per module and the four 10-character input names.
  int ImageWordCount() const;
  int StoredWordCount() const;

  // Program-wide state.
  bool EditedFlag = false;
  bool LoadedEditedFlag = false;
  int SelectedModule = 1;
  int OutputConfiguration = 1;
  float EqLimit = 100.0f;

 private:
  void ReportRefused();
  bool Locked() const { return host_ && host_->LockState() != 0; }

  ModelHost* host_;
  std::array<std::unique_ptr<Modul>, kModuleCount> modules_;
  MCtrl* queueHead_ = nullptr;
  MCtrl* queueTail_ = nullptr;
  MCtrl* running_ = nullptr;  // the control whose actions ProcessChanges is carrying out
};

}  // namespace korvan
