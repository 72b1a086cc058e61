#pragma once
// The editor's copy of the unit's preset memory: two banks of 60 snapshots with their name lists,
// the current image, the input names, and the operations that store, recall and clear presets.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/preset_host.h"
#include "model/str_list.h"

namespace korvan {

class Model;

// One complete parameter set: OutputConfiguration, the stored controls of the twelve modules,
// the modules' reserved words and the four input names (one character per word).
using ParameterImage = std::vector<uint16_t>;

struct Snapshot {
  int32_t empty = 1;  // 1 empty, 0 holds a preset
  ParameterImage image;
};

inline constexpr int kPresetsPerBank = 60;
inline constexpr int kInternalBank = 0;
inline constexpr int kCardBank = 1;
inline constexpr int kBankCount = 2;
// Bank k's preset p is entry k * 60 + p.
using Bank = std::array<Snapshot, kBankCount * kPresetsPerBank>;

// A name field: up to nine characters and a terminating zero.
inline constexpr int kNameBytes = 10;
using NameField = std::array<char, kNameBytes>;
inline constexpr int kInputNameCount = 4;

struct PresetNumber {
  int number = 0;  // 0..59
  int bank = kInternalBank;
};

// The text of a name field: its characters before the first zero.
std::string NameText(const NameField& field);
// A name field holding text (cut to nine characters) followed by zeros.
NameField MakeNameField(std::string_view text);

class PresetStore {
 public:
  // host may be null (nothing is sent or shown); model and host must outlive the store.
  PresetStore(Model& model, PresetHost* host);
  PresetStore(const PresetStore&) = delete;
  PresetStore& operator=(const PresetStore&) = delete;

  void InitNameLists();
  void InitSnapshots();
  void InitDefaultPreset();

  // Writes the model's state into CurrentImage.
  void WriteCurrentImage();
  void StoreImage(Snapshot& snapshot);
  void StorePreset(int bank, int number);
  // Applies a used snapshot to the model; false (and nothing changed) for an empty one.
  bool ApplySnapshot(const Snapshot& snapshot);
  bool RecallPreset(int bank, int number);
  void ClearPreset(int bank, int number);
  // Input name i (0..3) from a snapshot's name words.
  std::optional<NameField> InputName(const Snapshot& snapshot, int i) const;

  // Applies an image of ImageWords() words to the model: the operating-mode reset, then every
  // module's stored controls, reserved words and the input names, with nothing queued for the
  // unit meanwhile. With muteOnModeChange the outputs are muted again when the image's mode
  // differs from the current one. Ends with the change queue drained and EditedFlag clear.
  bool ApplyImage(std::span<const uint16_t> image, bool muteOnModeChange);

  Snapshot& At(int bank, int number) { return snapshots[bank * kPresetsPerBank + number]; }
  const Snapshot& At(int bank, int number) const {
    return snapshots[bank * kPresetsPerBank + number];
  }
  static bool ValidSlot(int bank, int number) {
    return bank >= 0 && bank < kBankCount && number >= 0 && number < kPresetsPerBank;
  }
  // A menu caption of a slot: its number 1..60, followed by " : " and the name when used.
  std::string MenuCaption(int bank, int number) const;

  int ImageWords() const { return imageWords_; }
  int NamesOffset() const { return namesOffset_; }

  Bank snapshots;
  std::array<DispStrList, kBankCount> PresetNames;
  std::array<NameField, kInputNameCount> InputNames{};
  ParameterImage CurrentImage;
  PresetNumber CurrentPreset;
  bool CurrentPresetLocked = false;
  NameField CurrentPresetName = MakeNameField("        ");

 private:
  void ReadNames(std::span<const uint16_t> image);

  Model& model_;
  PresetHost* host_;
  int imageWords_ = 0;
  int namesOffset_ = 0;
};

}  // namespace korvan
