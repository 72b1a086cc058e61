#pragma once
// The chunk readers and writers of the editor: they capture the model, the banks and the current
// preset into chunk records and apply read records to them, and keep the chunk version table and
// the texts of the last XPRE chunk.

#include "transfer/chunk_format.h"

namespace korvan {

class Editor;
class Filer;

class ChunkCodec {
 public:
  explicit ChunkCodec(Editor& editor);
  ChunkCodec(const ChunkCodec&) = delete;
  ChunkCodec& operator=(const ChunkCodec&) = delete;

  // The state as chunk records. CaptureXcur writes the model into CurrentImage first.
  BankData CaptureBank(int bank) const;
  XprbData CaptureXprb() const;
  XcurData CaptureXcur();
  XpreData CaptureXpre() const;
  SetVersions CurrentSetVersions() const;

  // Applying read records. ApplyBank takes whatever the reader got before an error.
  void ApplyBank(const BankRead& read, int bank);
  void ApplyXprb(const XprbData& d);
  // medium 1 (received from the unit) does not send the set back.
  void ApplyXcur(const XcurData& d, unsigned medium);
  void ApplyXpre(const XpreData& d);

  // For Filer::Pack and Filer::Unpack: the body size of the writer of a file type, and the
  // writer and reader of that type at the Filer's cursor. A bank is chosen by the medium:
  // 0 the card bank, any other the internal bank.
  int BodySize(int fileType) const;
  void Write(Filer& f);
  void Read(Filer& f);

  static int BankOfMedium(unsigned medium) { return medium == 0 ? kCardBank : kInternalBank; }

  ChunkVersions versions;
  // The texts of the last XPRE chunk read, written back with every set.
  NameField xpreText1 = MakeNameField("A       ");
  NameField xpreText2 = MakeNameField("A       ");

 private:
  int ImageWords() const;
  Editor& editor_;
};

}  // namespace korvan
