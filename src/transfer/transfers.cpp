#include "transfer/transfers.h"

#include "editor/editor.h"
#include "link/sysex.h"
#include "transfer/block_stream.h"
#include "transfer/connect_dialog.h"

namespace korvan {
namespace {

constexpr size_t kDataBlockOverhead = 15;  // header 13, checksum, F7

}  // namespace

Transfers::Transfers(Editor& editor) : receiver(editor), sender(editor), editor_(editor) {}

void Transfers::LogConnected() {
  if (editor_.discovery().linkKind == 1)
    editor_.texter().Print("Connected thru COM port %d", editor_.port().openedPort);
  else
    editor_.Log("Connected thru MIDI");
}

void Transfers::ServeBlockRequest(int type, int block) {
  sender.error = 0;
  if (!editor_.port().OpenPort()) {
    editor_.Log("  No COM port");
    return;
  }
  if (type != sender.fileType) sender.error = kFilerIllegalData;
  sender.blockNo = block;
  if (!sender.error) sender.Store();
  if (sender.error) sender.ReportError(true);
}

void Transfers::SendDataSet(int linkKind, int code, const std::vector<uint8_t>* image) {
  editor_.Log("Sync Pc -> Korvan..");
  sender.error = 0;
  const bool linked = linkKind >= 1 && linkKind <= 3;
  if (code == kSetCard) {
    sender.fileType = kKindBank;
    sender.medium = kMediumDisk;  // packs the card bank
  } else {
    sender.medium = static_cast<unsigned>(linkKind);
    sender.fileType = code == kSetInternal ? kKindBank : kKindSet;
  }
  if (image) {
    sender.buffer = *image;
    sender.size = static_cast<unsigned>(image->size());
    sender.cursor = 0;
  } else {
    sender.Pack();
  }
  if (sender.error) {
    sender.ReportError(true);
    return;
  }
  editor_.Log("  Sending ...");
  sender.medium = static_cast<unsigned>(linkKind);
  sender.blockNo = 0;
  if (!linked) {
    editor_.Log("No communications port selected");
    return;
  }
  if (code == kSetCard) {
    // The unit answers with a file request, which sends block 0.
    editor_.sender().SendFileAnnounce(kKindBank, kCardPresetsName);
    editor_.connect().StartUploadTimer();
  } else {
    ServeBlockRequest(sender.fileType, 0);
  }
}

void Transfers::ReceiveDataSet(int linkKind, int code) {
  editor_.Log("Sync Korvan -> PC ..");
  receiver.error = 0;
  receiver.blockNo = 0;
  receiver.medium = static_cast<unsigned>(linkKind);
  receiver.fileType = code == kSetInternal || code == kSetCard ? kKindBank : kKindSet;
  if (linkKind < 1 || linkKind > 3) {
    editor_.Log("No communications port selected");
    return;
  }
  if (code == kSetCard)
    editor_.sender().SendFileRequest(kKindBank, kCardPresetsName);
  else
    editor_.sender().SendBlockRequest(receiver.fileType, 0);
  editor_.connect().StartUploadTimer();
}

void Transfers::OnDataBlock(std::span<const uint8_t> frame) {
  editor_.connect().StopUploadTimer();
  if (frame.size() < kDataBlockOverhead) return;
  if (frame[8] != 1 || receiveCancelled) return;
  receiver.medium = kMediumSerial;
  receiver.fileType = frame[7];
  if (Join14(frame[11], frame[12]) != receiver.blockNo) return;
  const size_t n = frame.size() - kDataBlockOverhead;
  receiver.ReceiveBlock(Join14(frame[9], frame[10]), frame.subspan(13, n), frame[13 + n]);
}

void Transfers::OnEntryList(std::span<const uint8_t>) {
  editor_.connect().StopUploadTimer();
}

void Transfers::OnBlockRequest(std::span<const uint8_t> frame) {
  editor_.connect().StopDownloadTimer();
  if (frame.size() < 11 || stopServing) return;
  ServeBlockRequest(frame[7], Join14(frame[8], frame[9]));
}

void Transfers::OnFileRequest(std::span<const uint8_t> frame) {
  editor_.connect().StopUploadTimer();
  if (frame.size() < 9) return;
  sender.medium = kMediumSerial;
  ServeBlockRequest(frame[7], 0);
}

}  // namespace korvan
