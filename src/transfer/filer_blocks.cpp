// The block protocol of a Filer: sending, receiving, re-requesting and decoding blocks.

#include <algorithm>
#include <cstring>

#include "editor/editor.h"
#include "link/sysex.h"
#include "transfer/block_stream.h"
#include "transfer/connect_dialog.h"
#include "transfer/filer.h"
#include "transfer/firmware_update.h"
#include "transfer/transfers.h"

namespace korvan {
namespace {

// Larger images show the progress window; smaller ones only the hourglass.
constexpr unsigned kProgressWindowFrom = 5000;

}  // namespace

void Filer::ShowProgress(int position, int maximum) {
  Ui& ui = editor_.ui();
  ui.ProgressBar(position, maximum);
  const int percent = maximum > 0 ? (position * 100 + maximum - 1) / maximum : 100;
  ui.ProgressPercent(std::to_string(percent) + "%");
  if (size > kProgressWindowFrom) {
    if (!progressShown_) {
      // A program image cannot be abandoned half-way: the unit would be left without one.
      ui.ProgressCancelVisible(fileType != kKindProgram && !editor_.discovery().searchPending);
      ui.ProgressShow();
      progressShown_ = true;
    }
  } else {
    ui.BusyCursor(true);
  }
}

void Filer::CloseProgress() {
  editor_.ui().BusyCursor(false);
  if (progressShown_) editor_.ui().ProgressClose();
  progressShown_ = false;
}

void Filer::SendBlock() {
  if (buffer.empty() || size == 0) {
    error = kFilerNoFile;
    return;
  }
  const unsigned n = std::min<size_t>(size, buffer.size());
  const int total = static_cast<int>(BlockCount(n));
  if (blockNo < 0 || blockNo >= total) {
    // A request past the image's end: there is nothing there to send.
    error = kFilerIllegalData;
    return;
  }
  ShowProgress(blockNo + 1, total);
  const std::vector<uint8_t> frame =
      DataBlockFrame(std::span<const uint8_t>(buffer.data(), n), fileType,
                     editor_.sender().Device(), static_cast<unsigned>(blockNo));
  editor_.port().WriteFrame(frame);
  if (blockNo < total - 1) {
    editor_.connect().StartDownloadTimer();
    return;
  }
  CloseProgress();
  Transfers& t = editor_.transfers();
  if (fileType == kKindProgram) {
    t.stopServing = true;
    FinishFirmwareUpdate(editor_);
  } else if (t.sequenceRunning) {
    editor_.connect().ContinueSendSequence(t.sendingSet);
  } else {
    t.stopServing = true;
    editor_.SetBusy(false);
    t.sendingSet = 0;
    t.LogConnected();
  }
}

void Filer::RequestBlock() {
  if (medium < 1 || medium > 3) return;
  editor_.sender().SendBlockRequest(fileType, blockNo);
  editor_.connect().StartUploadTimer();
}

void Filer::DecodeStream() {
  error = DecodeStreamInPlace(buffer, size);
}

void Filer::ReceiveBlock(int total, std::span<const uint8_t> data, uint8_t checksum) {
  Transfers& t = editor_.transfers();
  const unsigned n = static_cast<unsigned>(data.size());
  if (n > static_cast<unsigned>(SYS_EX_BLOCKSIZE)) {
    editor_.Log("nrbytes > SYS_EX_BLOCKSIZE");
    return;
  }
  if (blockNo == 0) {
    editor_.Log("  Receiving file");
    progressShown_ = false;
    if (total <= 0) {
      error = kFilerIllegalData;
    } else {
      size = kBlockStreamBytes * static_cast<unsigned>(total);
      AllocateBuffer();
      blocksAnnounced_ = total;
    }
    if (error) {
      ReportError(false);
      return;
    }
  }
  if (t.receiveCancelled) return;
  // Blocks after the first keep to the count block 0 announced: the buffer was made for it.
  const int blocks = blocksAnnounced_;
  const size_t at = kBlockStreamBytes * static_cast<size_t>(blockNo);
  if (blockNo < 0 || blockNo >= blocks || at + n > buffer.size()) {
    error = kFilerIllegalData;
    ReportError(false);
    return;
  }
  ShowProgress(blockNo + 1, blocks);
  std::memcpy(buffer.data() + at, data.data(), n);
  const uint8_t computed = BlockChecksum(data);
  if (checksum != computed) {
    editor_.texter().Print("    %d Checksum error %d : %d", static_cast<int>(n), checksum,
                           computed);
    error = 0;
    RequestBlock();
    return;
  }
  if (blockNo < blocks - 1) {
    ++blockNo;
    RequestBlock();
    return;
  }
  lastBlockBytes_ = n;
  FinishReceive();
}

void Filer::FinishReceive() {
  Transfers& t = editor_.transfers();
  // The stream ends with the last block's bytes; the length group may announce no more.
  size = static_cast<unsigned>(kBlockStreamBytes * static_cast<size_t>(blockNo)) + lastBlockBytes_;
  blockNo = -1;  // done: a repeated last block is not taken again
  DecodeStream();
  const bool decoded = error == 0;
  if (decoded && t.backingUp) {
    CloseProgress();
    editor_.KeepUnitCopy(t.receivingSet, std::span<const uint8_t>(buffer.data(), size));
    editor_.connect().ContinueBackup(t.receivingSet);
    return;
  }
  if (decoded && t.keepReceived) {
    t.keepReceived(t.receivingSet, std::span<const uint8_t>(buffer.data(), size));
  } else if (decoded) {
    if (t.receivingSet == kSetCard) medium = kMediumDisk;
    editor_.KeepEditorCopy(t.receivingSet);
    cursor = 0;
    Unpack();
  }
  CloseProgress();
  if (error) ReportError(false);
  if (!decoded) {
    // An image that cannot be decoded is not applied, and the sequence stops with it.
    t.sequenceRunning = false;
    t.backingUp = false;
    t.receivingSet = 0;
    editor_.SetBusy(false);
    return;
  }
  if (t.sequenceRunning) {
    editor_.connect().ContinueReceiveSequence(t.receivingSet);
  } else {
    editor_.SetBusy(false);
    t.receivingSet = 0;
    t.LogConnected();
  }
}

}  // namespace korvan
