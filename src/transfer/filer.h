#pragma once
// A byte image with where it comes from or goes to: a disk file, the link to the unit, or the
// built-in data. Packs the model into a chunk image and unpacks an image into the model, and
// reports every transfer and file failure in one error dialog.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvan {

class Editor;

// Filer::error codes.
inline constexpr unsigned kFilerNoFile = 1;
inline constexpr unsigned kFilerMemoryFull = 2;
inline constexpr unsigned kFilerBadMedium = 3;
inline constexpr unsigned kFilerDiskFull = 4;
inline constexpr unsigned kFilerWriteProtected = 5;
inline constexpr unsigned kFilerIllegalData = 6;

// Filer::medium values.
inline constexpr unsigned kMediumDisk = 0;
inline constexpr unsigned kMediumSerial = 1;
inline constexpr unsigned kMediumBuiltIn = 5;

class Filer {
 public:
  explicit Filer(Editor& editor) : editor_(editor) {}
  Filer(const Filer&) = delete;
  Filer& operator=(const Filer&) = delete;

  // Frees any old buffer and allocates size bytes; the cursor goes to the start. Error 2 when
  // the memory cannot be had.
  void AllocateBuffer();
  void FreeBuffer();
  bool HasBuffer() const { return !buffer.empty(); }

  // medium 0: reads fileName into the buffer. medium 1..3: decodes the received stream in place.
  // Any other medium: error 3. Clears error first.
  void Load();
  // medium 0: writes the buffer to fileName, asking for a name first when there is none; the
  // old file is replaced only once the new one is safely on disk. medium 1..3 is the block
  // engine's (sending a block). Any other medium: error 3. Clears error first.
  void Store();

  // Builds the image of fileType from the model (a bank chosen by medium), or applies the image
  // at the cursor to the model.
  void Pack();
  void Unpack();

  // The block protocol (medium 1..3). SendBlock sends block blockNo of the image; ReceiveBlock
  // takes the accepted block blockNo of total with its stream bytes and received checksum;
  // RequestBlock asks the unit for block blockNo; DecodeStream turns the received stream into
  // the image in place.
  void SendBlock();
  void ReceiveBlock(int total, std::span<const uint8_t> data, uint8_t checksum);
  void RequestBlock();
  void DecodeStream();

  // The text ReportError shows for the present error.
  std::string ErrorText(bool outgoing) const;
  // Shows the error dialog and logs the error, then clears it. outgoing: send, save and firmware
  // paths; false on receive and load paths.
  void ReportError(bool outgoing);

  int fileType = 0;
  unsigned medium = kMediumDisk;
  std::string fileName;
  std::vector<uint8_t> buffer;
  size_t cursor = 0;  // read/write position in buffer
  unsigned size = 0;  // valid bytes in buffer
  int blockNo = 0;
  unsigned error = 0;

 private:
  void LoadFile();
  void StoreFile();
  void ShowProgress(int position, int maximum);
  void CloseProgress();
  void FinishReceive();
  Editor& editor_;
  bool progressShown_ = false;
  int blocksAnnounced_ = 0;      // by block 0 of the receive in progress
  unsigned lastBlockBytes_ = 0;  // stream bytes of the last block received
};

}  // namespace korvan
