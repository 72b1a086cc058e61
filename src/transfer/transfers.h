#pragma once
// The block transfer engine's program-wide state: the receiver and the sender, the data set
// each is moving and the flags that decide which received blocks and block requests are taken.
// Also the entry points of the transfer sequences and the dispatch of the four block frames.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "transfer/filer.h"

namespace korvan {

class Editor;

// Data-set codes: also the bits of the connect dialog's syncMask.
inline constexpr int kSetCard = 1;
inline constexpr int kSetInternal = 2;
inline constexpr int kSetCurrent = 4;

inline constexpr const char* kCardPresetsName = "PRESETS";

class Transfers {
 public:
  explicit Transfers(Editor& editor);
  Transfers(const Transfers&) = delete;
  Transfers& operator=(const Transfers&) = delete;

  // Sends block `block` of the sender's image when type is the sender's kind and the block
  // lies inside the image; reports "File has Illegal data" otherwise.
  void ServeBlockRequest(int type, int block);

  // PC -> unit and unit -> PC for one data set (1 card, 2 internal, 4 current). The caller sets
  // sendingSet / receivingSet first; the engine calls the connect dialog back when it is done.
  // image: send these bytes instead of packing the model (a file sent as it is).
  void SendDataSet(int linkKind, int code, const std::vector<uint8_t>* image = nullptr);
  void ReceiveDataSet(int linkKind, int code);

  // The received frames of the block protocol (whole frames, F0 to F7).
  void OnDataBlock(std::span<const uint8_t> frame);
  void OnEntryList(std::span<const uint8_t> frame);
  void OnBlockRequest(std::span<const uint8_t> frame);
  void OnFileRequest(std::span<const uint8_t> frame);

  // Logs "Connected thru COM port %d" (serial link) or "Connected thru MIDI".
  void LogConnected();

  // The model's data-set code a receiving Filer goes to (for backups of the editor's copy).
  static int FileTypeOf(int code) { return code == kSetCurrent ? 1 : 0; }

  Filer receiver;
  Filer sender;
  int receivingSet = 0;
  int sendingSet = 0;
  bool sequenceRunning = false;
  // While set, a received data set goes to the backup folder instead of the model.
  bool backingUp = false;
  // When set, a received data set (its decoded image) goes here instead of the model; the
  // receive then ends as usual.
  std::function<void(int code, std::span<const uint8_t> image)> keepReceived;
  // Both set at start: blocks and block requests before any transfer are ignored.
  bool receiveCancelled = true;
  bool stopServing = true;

 private:
  Editor& editor_;
};

}  // namespace korvan
