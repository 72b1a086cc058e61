#include <gtest/gtest.h>

#include <set>

#include "model/control_ids.h"
#include "model/output_configuration.h"
#include "support/editor_fixture.h"
#include "transfer/factory_bank.h"

namespace korvan::test {
namespace {

using FactoryBankTest = EditorTest;

TEST_F(FactoryBankTest, FillsTheInternalBankAtStartUp) {
  const auto& names = presets().PresetNames[kInternalBank];
  for (int slot = 0; slot < kPresetsPerBank; ++slot) {
    const bool used = slot < 24 || slot >= 36;
    EXPECT_EQ(presets().At(kInternalBank, slot).empty, used ? 0 : 1) << slot;
    EXPECT_EQ(names.ValueAt(slot), slot >= 36 ? 1 : 0) << slot;
    if (!used) {
      EXPECT_EQ(names.TextAt(slot), "        ") << slot;
    }
  }
  for (int k = 0; k < 24; ++k) {
    EXPECT_EQ(names.TextAt(k), names.TextAt(36 + k));
    EXPECT_EQ(presets().At(kInternalBank, k).image, presets().At(kInternalBank, 36 + k).image);
  }
  // The bank's chunk version (0) is what later banks are written with.
  EXPECT_EQ(editor.chunks().versions.Get(kChunkXSNP), 0);
  EXPECT_EQ(editor.chunks().versions.Get(kChunkXCUR), 0x0110);
  // The card bank starts empty.
  for (int slot = 0; slot < kPresetsPerBank; ++slot)
    EXPECT_EQ(presets().At(kCardBank, slot).empty, 1);
}

TEST_F(FactoryBankTest, SavingTheInternalBankAtStartUpGivesTheBuiltInChunk) {
  ui.fileNames.push_back(Path("internal.kvn"));
  ASSERT_TRUE(editor.files().SaveInternalPresets());
  const Filer& saved = editor.files().internalSaver();
  const auto bank = FactoryBank();
  EXPECT_EQ(std::vector<uint8_t>(saved.buffer.begin(), saved.buffer.begin() + saved.size),
            std::vector<uint8_t>(bank.begin(), bank.end()));
}

TEST_F(FactoryBankTest, EveryConfigurationRecallsAsStoredAndIsARealStartingPoint) {
  std::set<int> modes;
  std::set<std::string> seenNames;
  for (int k = 0; k < 24; ++k) {
    SCOPED_TRACE(k);
    const Snapshot& s = presets().At(kInternalBank, k);
    // Twice: the first recall from another configuration mutes the outputs on purpose.
    ASSERT_TRUE(presets().RecallPreset(kInternalBank, k));
    ASSERT_TRUE(presets().RecallPreset(kInternalBank, k));
    presets().WriteCurrentImage();
    EXPECT_EQ(presets().CurrentImage, s.image);
    const int mode = model().OutputConfiguration;
    EXPECT_EQ(mode, s.image[0]);
    modes.insert(mode);

    const std::string name = NameText(presets().CurrentPresetName);
    EXPECT_EQ(name.size(), 8u);
    EXPECT_NE(name, "        ");
    EXPECT_TRUE(seenNames.insert(name).second) << name;

    bool limiter = false, slope = false, corner = false;
    for (int out = 0; out < kOutputCount; ++out) {
      const Modul& m = model().OutputModule(out);
      const OutputPreset& layout = OutputPresetFor(mode, out);
      limiter |= m.Ctrl(mc::LimitOn).value == 1 && m.Ctrl(mc::LimitThreshold).value < 240;
      slope |= m.Ctrl(mc::HPType).value != 6 || m.Ctrl(mc::LPType).value != layout.lpType;
      corner |=
          m.Ctrl(mc::HPFreq).value != layout.hpFreq || m.Ctrl(mc::LPFreq).value != layout.lpFreq;
    }
    EXPECT_TRUE(limiter);
    EXPECT_TRUE(slope);
    EXPECT_TRUE(corner);
  }
  EXPECT_EQ(modes.size(), 4u);
}

}  // namespace
}  // namespace korvan::test
