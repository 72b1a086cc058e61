// Bank images (XSNP) as a file or the unit would give them, into the card and internal banks;
// then the first slot read is recalled, so the images the reader let through are applied too.

#include "reader_fuzz_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvan;
  // The last byte picks the bank, as the medium does: card (disk) or internal (link).
  const unsigned medium = size > 0 && (data[size - 1] & 1) ? 1u : 0u;
  fuzz::UnpackInput(0, medium, data, size);
  const int bank = ChunkCodec::BankOfMedium(medium);
  PresetStore& presets = fuzz::FuzzEditor().presets();
  for (int i = 0; i < kPresetsPerBank; ++i) {
    if (presets.At(bank, i).empty) continue;
    presets.RecallPreset(bank, i);
    break;
  }
  return 0;
}
