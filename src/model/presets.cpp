#include "model/presets.h"

#include <algorithm>

#include "model/change_rules.h"
#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {

namespace {

constexpr const char* kBlankName = "        ";
constexpr const char* kDefaultInputNames[kInputNameCount] = {"INPUT A ", "INPUT B ", "INPUT C ",
                                                             "SUM     "};

// A character as an image word: its byte, sign-extended.
uint16_t CharWord(char c) {
  return static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(c)));
}

}  // namespace

std::string NameText(const NameField& field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string(field.begin(), end);
}

NameField MakeNameField(std::string_view text) {
  NameField f{};
  const size_t n = std::min<size_t>(text.size(), kNameBytes - 1);
  std::copy_n(text.begin(), n, f.begin());
  return f;
}

PresetStore::PresetStore(Model& model, PresetHost* host) : model_(model), host_(host) {
  imageWords_ = model_.ImageWordCount();
  namesOffset_ = imageWords_ - kInputNameCount * kNameBytes;
}

void PresetStore::InitNameLists() {
  for (DispStrList& list : PresetNames)
    for (int i = 0; i < kPresetsPerBank; ++i) list.Append(kBlankName);
}

void PresetStore::InitSnapshots() {
  imageWords_ = model_.ImageWordCount();
  namesOffset_ = imageWords_ - kInputNameCount * kNameBytes;
  CurrentImage.assign(imageWords_, 0);
  for (Snapshot& s : snapshots) {
    s.empty = 1;
    s.image.assign(imageWords_, 0);
    for (int n = 0; n < kInputNameCount; ++n) {
      const char* name = kDefaultInputNames[n];
      for (int k = 0; k < 8; ++k) s.image[namesOffset_ + n * kNameBytes + k] = CharWord(name[k]);
    }
  }
}

void PresetStore::InitDefaultPreset() {
  for (int n = 0; n < kInputNameCount; ++n) InputNames[n] = *InputName(snapshots[0], n);
  for (DispStrList& list : PresetNames) list.Select(0);
  WriteCurrentImage();
  CurrentPreset = {0, kInternalBank};
  StoreImage(snapshots[0]);
  PresetNames[kInternalBank].Seek(0);
  PresetNames[kInternalBank].SetText("DEFAULT ");
}

void PresetStore::WriteCurrentImage() {
  CurrentImage.clear();
  CurrentImage.reserve(imageWords_);
  CurrentImage.push_back(static_cast<uint16_t>(model_.OutputConfiguration));
  for (int m = 0; m < kModuleCount; ++m) model_.WriteModule(model_.Module(m), CurrentImage);
  for (int m = 0; m < kModuleCount; ++m)
    CurrentImage.push_back(static_cast<uint16_t>(model_.Module(m).reservedWord));
  for (const NameField& name : InputNames)
    for (char c : name) CurrentImage.push_back(CharWord(c));
}

void PresetStore::StoreImage(Snapshot& snapshot) {
  snapshot.image = CurrentImage;
  snapshot.empty = 0;
}

void PresetStore::StorePreset(int bank, int number) {
  if (!ValidSlot(bank, number)) return;
  WriteCurrentImage();
  StoreImage(At(bank, number));
  CurrentPreset = {number, bank};
  CurrentPresetLocked = false;
  model_.EditedFlag = false;
  model_.LoadedEditedFlag = false;
  if (host_) host_->RefreshDisplayPage();
}

void PresetStore::ReadNames(std::span<const uint16_t> image) {
  for (int n = 0; n < kInputNameCount; ++n)
    for (int k = 0; k < kNameBytes; ++k)
      InputNames[n][k] = static_cast<char>(image[namesOffset_ + n * kNameBytes + k] & 0xFF);
}

bool PresetStore::ApplyImage(std::span<const uint16_t> image, bool muteOnModeChange) {
  if (static_cast<int>(image.size()) != imageWords_) return false;
  const int savedRemoteMode = host_ ? host_->RemoteMode() : 0;

  // The mode word indexes the per-mode tables: readers reject a word above 3, and the clamp
  // keeps any other source in range as well.
  MCtrl& opMode = model_.Setup(mc::OpMode);
  const int mode = opMode.Clamp(image[0]);
  const bool modeChanged = mode != model_.OutputConfiguration;
  model_.StoreDirect(opMode, mode);
  model_.Notify(opMode, NOTIFY_REDISPLAY);

  if (host_) host_->SetRemoteMode(0);
  ApplyOutputConfiguration(model_);

  const int stored = model_.StoredWordCount();
  ImageReader reader{image.subspan(1, stored)};
  for (int m = 0; m < kModuleCount; ++m) model_.ReadModule(model_.Module(m), reader);
  for (int m = 0; m < kModuleCount; ++m) model_.Module(m).reservedWord = image[1 + stored + m];
  ReadNames(image);

  // A preset made for another configuration must not reach the speakers unmuted.
  if (muteOnModeChange && modeChanged)
    for (int k = 0; k < kOutputCount; ++k)
      model_.SetValue(model_.OutputModule(k).Ctrl(mc::Mute), 1, NOTIFY_FULL);

  model_.EditedFlag = false;
  if (!model_.QueueEmpty()) model_.ProcessChanges();
  if (host_) host_->SetRemoteMode(savedRemoteMode);
  return true;
}

bool PresetStore::ApplySnapshot(const Snapshot& snapshot) {
  if (snapshot.empty) return false;
  if (!ApplyImage(snapshot.image, true)) return false;
  model_.EditedFlag = false;
  model_.LoadedEditedFlag = false;
  CurrentImage = snapshot.image;
  return true;
}

bool PresetStore::RecallPreset(int bank, int number) {
  if (!ValidSlot(bank, number)) return false;
  if (!ApplySnapshot(At(bank, number))) return false;
  CurrentPreset = {number, bank};
  DispStrList& names = PresetNames[bank];
  names.Select(number);
  CurrentPresetName = MakeNameField(names.Text());
  CurrentPresetLocked = (names.NodeValue() & 1) != 0;
  if (host_) {
    host_->RefreshDisplayPage();
    host_->SyncToPcExecute();
  }
  return true;
}

void PresetStore::ClearPreset(int bank, int number) {
  if (!ValidSlot(bank, number)) return;
  Snapshot& s = At(bank, number);
  if (&s != &snapshots[0]) s = snapshots[0];
  s.empty = 1;
  DispStrList& names = PresetNames[bank];
  names.Select(number);
  names.SetText(kBlankName);
  names.SetNodeValue(0);
}

std::optional<NameField> PresetStore::InputName(const Snapshot& snapshot, int i) const {
  if (i < 0 || i >= kInputNameCount) return std::nullopt;
  if (static_cast<int>(snapshot.image.size()) != imageWords_) return std::nullopt;
  NameField name{};
  for (int k = 0; k < kNameBytes; ++k)
    name[k] = static_cast<char>(snapshot.image[namesOffset_ + i * kNameBytes + k] & 0xFF);
  return name;
}

std::string PresetStore::MenuCaption(int bank, int number) const {
  std::string caption = std::to_string(number + 1);
  if (ValidSlot(bank, number) && !At(bank, number).empty)
    caption += " : " + PresetNames[bank].TextAt(number);
  return caption;
}

}  // namespace korvan
