#include "transfer/chunk_codec.h"

#include <variant>

#include "editor/editor.h"
#include "model/control_ids.h"
#include "transfer/filer.h"

namespace korvan {

namespace {
constexpr int kXprbControls[5] = {mc::Setup18, mc::Setup19, mc::Setup25, mc::DelayUnit,
                                  mc::MuteOutsAtPowerOn};
constexpr const char* kBlankName = "        ";
}  // namespace

ChunkCodec::ChunkCodec(Editor& editor) : editor_(editor) {}

int ChunkCodec::ImageWords() const {
  return editor_.presets().ImageWords();
}

BankData ChunkCodec::CaptureBank(int bank) const {
  const PresetStore& p = editor_.presets();
  BankData d;
  const DispStrList& names = p.PresetNames[bank];
  for (int i = 0; i < kPresetsPerBank; ++i) {
    d.attributes[i] = static_cast<uint8_t>(i < names.count() ? names.ValueAt(i) & 0xFF : 0);
    const Snapshot& s = p.At(bank, i);
    if (s.empty) continue;
    d.slots.push_back(
        {i, MakeNameField(i < names.count() ? names.TextAt(i) : kBlankName), s.image});
  }
  return d;
}

XprbData ChunkCodec::CaptureXprb() const {
  XprbData d;
  for (int k = 0; k < 5; ++k)
    d.values[k] = static_cast<uint16_t>(editor_.model().SetupValue(kXprbControls[k]));
  return d;
}

XcurData ChunkCodec::CaptureXcur() {
  PresetStore& p = editor_.presets();
  const Model& m = editor_.model();
  p.WriteCurrentImage();
  XcurData d;
  d.number = static_cast<uint16_t>(p.CurrentPreset.number);
  d.bank = static_cast<uint16_t>(p.CurrentPreset.bank);
  d.edited = (m.EditedFlag || m.LoadedEditedFlag) ? 1 : 0;
  d.locked = p.CurrentPresetLocked ? 1 : 0;
  d.name = p.CurrentPresetName;
  d.image = p.CurrentImage;
  return d;
}

XpreData ChunkCodec::CaptureXpre() const {
  return {0, 0, xpreText1, xpreText2};
}

SetVersions ChunkCodec::CurrentSetVersions() const {
  return {versions.Get(kChunkXPCR), versions.Get(kChunkXPRB), versions.Get(kChunkXCUR),
          versions.Get(kChunkXPRE)};
}

void ChunkCodec::ApplyBank(const BankRead& read, int bank) {
  if (!read.haveAttributes) return;
  PresetStore& p = editor_.presets();
  DispStrList& names = p.PresetNames[bank];
  for (int i = 0; i < kPresetsPerBank; ++i) {
    names.Seek(i);
    names.SetNodeValue(read.data.attributes[i]);
  }
  auto emptyUsed = [&](int from, int to) {
    for (int i = from; i < to; ++i) {
      Snapshot& s = p.At(bank, i);
      if (s.empty) continue;
      s.empty = 1;
      names.Seek(i);
      names.SetText(kBlankName);
    }
  };
  int prev = -1;
  for (const BankSlot& slot : read.data.slots) {
    emptyUsed(prev + 1, slot.index);
    Snapshot& s = p.At(bank, slot.index);
    s.empty = 0;
    s.image = slot.image;
    names.Seek(slot.index);
    names.SetText(NameText(slot.name));
    prev = slot.index;
  }
  // After an error the slots past the last one read keep what they held.
  emptyUsed(prev + 1, read.complete ? kPresetsPerBank : read.lastIndexRead);
  editor_.ui().BankMenusChanged();
}

void ChunkCodec::ApplyXprb(const XprbData& d) {
  Model& m = editor_.model();
  // Controls 19 and 25 travel in the record but are not taken from it.
  m.SetValue(m.Setup(mc::Setup18), d.values[0], NOTIFY_FULL);
  m.SetValue(m.Setup(mc::DelayUnit), d.values[3], NOTIFY_FULL);
  m.SetValue(m.Setup(mc::MuteOutsAtPowerOn), d.values[4], NOTIFY_FULL);
}

void ChunkCodec::ApplyXcur(const XcurData& d, unsigned medium) {
  PresetStore& p = editor_.presets();
  Model& m = editor_.model();
  p.CurrentPreset = {d.number, d.bank};
  m.LoadedEditedFlag = d.edited != 0;
  p.CurrentPresetLocked = d.locked != 0;
  p.CurrentPresetName = d.name;
  p.CurrentImage = d.image;
  // The operating-mode reset runs before the modules read their values, so links, rings and
  // OutputConfiguration follow the set; the set's own mute states stand.
  p.ApplyImage(d.image, false);
  if (medium != 1) editor_.SyncToPcExecute();
  editor_.ui().RefreshDisplayPage();
}

void ChunkCodec::ApplyXpre(const XpreData& d) {
  Model& m = editor_.model();
  m.SetValue(m.Setup(mc::Setup17), d.a, NOTIFY_FULL);
  m.SetValue(m.Setup(mc::Setup16), d.b, NOTIFY_FULL);
  xpreText1 = d.text1;
  xpreText2 = d.text2;
}

int ChunkCodec::BodySize(int fileType) const {
  switch (fileType) {
    case 0:
      return kBankMaxBody;
    case 1:
      return XpcrBody(ImageWords());
    default:
      return 0;  // program images are not packed
  }
}

void ChunkCodec::Write(Filer& f) {
  ByteWriter w(std::span<uint8_t>(f.buffer.data(), f.size), f.cursor);
  const size_t start = f.cursor;
  if (f.fileType == 0) {
    f.error =
        WriteXsnp(w, CaptureBank(BankOfMedium(f.medium)), versions.Get(kChunkXSNP), ImageWords());
  } else if (f.fileType == 1) {
    WriteXpcr(w, CaptureXprb(), CaptureXcur(), CaptureXpre(), CurrentSetVersions(), ImageWords());
  }
  if (w.overflow()) f.error = kErrMemoryFull;
  f.cursor = w.pos();
  f.size = static_cast<unsigned>(w.pos() - start);
}

void ChunkCodec::Read(Filer& f) {
  const std::span<const uint8_t> bytes(f.buffer.data(), std::min<size_t>(f.size, f.buffer.size()));
  if (f.fileType == 0) {
    const BankRead read = ParseXsnp(bytes, f.cursor, ImageWords(), &versions);
    ApplyBank(read, BankOfMedium(f.medium));
    f.error = read.error;
    if (!read.error) f.cursor = read.header.End();
  } else if (f.fileType == 1) {
    const SetRead read = ParseXpcr(bytes, f.cursor, ImageWords(), &versions);
    for (const SetPart& part : read.parts) {
      if (auto* x = std::get_if<XprbData>(&part.body)) ApplyXprb(*x);
      if (auto* x = std::get_if<XcurData>(&part.body)) ApplyXcur(*x, f.medium);
      if (auto* x = std::get_if<XpreData>(&part.body)) ApplyXpre(*x);
    }
    f.error = read.error;
    if (!read.error) f.cursor = read.header.End();
  } else {
    f.error = kErrIllegalData;
  }
}

}  // namespace korvan
