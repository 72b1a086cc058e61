// What the File menu's save commands write, against files typed out byte by byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/control_ids.h"
#include "support/chunk_bytes.h"
#include "support/editor_fixture.h"
#include "transfer/filer.h"

namespace korvan::test {
namespace {

class ChunkWriterTest : public EditorTest {
 protected:
  std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string Save(bool (FileCommands::*command)(), const std::string& name) {
    ui.fileNames.push_back(Path(name));
    EXPECT_TRUE((editor.files().*command)());
    return Path(name);
  }
  // The set the editor holds right after start-up.
  Bytes StartUpSet(uint16_t xcurVersion = 0x0110) {
    Bytes xprb;
    xprb.U16(5).U16(0).U16(0).U16(0).U16(0);
    for (int i = 0; i < 16; ++i) xprb.U8(0x20);
    Bytes xcur;
    xcur.U16(0).U16(0).U8(0).U8(0).Name("        ").Words(DefaultImage(model()));
    Bytes xpre;
    xpre.U16(0).U16(0).Name("A       ").Name("A       ");
    return Chunk("XPCR", Bytes()
                             .Add(Chunk("XPRB", xprb))
                             .Add(Chunk("XCUR", xcur, xcurVersion))
                             .Add(Chunk("XPRE", xpre)));
  }
};

TEST_F(ChunkWriterTest, SetFileAfterStartUpIsTheDefaultSetIn1646Bytes) {
  const auto bytes = FileBytes(Save(&FileCommands::SaveSet, "start.xpc"));
  EXPECT_EQ(bytes.size(), 1646u);
  EXPECT_EQ(bytes, StartUpSet().data);
}

TEST_F(ChunkWriterTest, ReadingAnOlderChunkLowersTheVersionOfLaterSets) {
  Filer f(editor);
  f.fileType = 1;
  f.buffer = StartUpSet(0x0102).data;
  f.size = static_cast<unsigned>(f.buffer.size());
  f.Unpack();
  ASSERT_EQ(f.error, 0u);
  EXPECT_EQ(FileBytes(Save(&FileCommands::SaveSet, "older.xpc")), StartUpSet(0x0102).data);
}

TEST_F(ChunkWriterTest, EmptyCardBankIs80Bytes) {
  Bytes attributes;
  for (int i = 0; i < kPresetsPerBank; ++i) attributes.U8(0);
  const auto bytes = FileBytes(Save(&FileCommands::SaveCardPresets, "card.kvn"));
  EXPECT_EQ(bytes, Chunk("XSNP", attributes.U32(60), 0).data);
  EXPECT_EQ(bytes.size(), 80u);
}

TEST_F(ChunkWriterTest, BankThatOutgrowsItsImageIsNotWrittenAndTheOldFileStays) {
  const std::string path = Save(&FileCommands::SaveCardPresets, "card.kvn");
  const auto old = FileBytes(path);
  // Sixty presets that differ from their neighbours everywhere cannot be coded small.
  for (int slot = 0; slot < kPresetsPerBank; ++slot) {
    for (int m = 1; m < kModuleCount - 1; ++m)
      for (MCtrl& c : model().Module(m).controls)
        if (c.Stored() && c.maxStep > 1) model().SetValue(c, slot % 2 ? 1 : 0, NOTIFY_FULL);
    model().ProcessChanges();
    presets().StorePreset(kCardBank, slot);
  }
  ui.Clear();
  EXPECT_FALSE(editor.files().SaveCardPresets());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, path + "\nFile error:      \n\nMemory Full");
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(editor.files().cardSaver().error, 0u);
}

}  // namespace
}  // namespace korvan::test
