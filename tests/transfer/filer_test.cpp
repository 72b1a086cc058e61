#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/control_ids.h"
#include "support/editor_fixture.h"
#include "transfer/file_kind.h"
#include "transfer/filer.h"

namespace korvan::test {
namespace {

class FilerTest : public EditorTest {
 protected:
  std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  size_t FilesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
  }
};

TEST(FileKindTest, KindComesFromTheFirstMatchingExtension) {
  struct Case {
    const char* name;
    int kind;
  } cases[] = {{"bank.kvn", 0},   {"SET.XPC", 1},      {"a.B.xpc", 1},       {"fw.Bin", 2},
               {"a.xpc.bak", -1}, {"noextension", -1}, {"dir.kvn/x.xpc", 1}, {"x.kvnx", -1}};
  for (const Case& c : cases) EXPECT_EQ(FileKindOf(c.name), c.kind) << c.name;
}

TEST_F(FilerTest, SavedSetLoadsBackUnderAPathOfAnyLength) {
  std::string dir = Dir();
  while (dir.size() < 400) dir += "/a-rather-long-folder-name";
  std::filesystem::create_directories(dir);
  const std::string path = dir + "/show.xpc";
  ChangeMode(3);
  Edit(Out(4), mc::LimitOn, 1);
  presets().InputNames[0] = MakeNameField("VOCALS  ");
  ui.fileNames.push_back(path);
  ASSERT_TRUE(editor.files().SaveSetAs());
  EXPECT_TRUE(model().EditedFlag);  // saving is not storing

  ChangeMode(1);
  presets().InputNames[0] = MakeNameField("X");
  ui.fileNames.push_back(path);
  ASSERT_TRUE(editor.files().LoadSet());
  EXPECT_EQ(model().OutputConfiguration, 3);
  EXPECT_EQ(V(Out(4), mc::LimitOn), 1);
  EXPECT_EQ(NameText(presets().InputNames[0]), "VOCALS  ");
  EXPECT_FALSE(model().EditedFlag);
  EXPECT_TRUE(model().LoadedEditedFlag);  // the set was saved with unstored edits
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FilerTest, BanksGoToTheBankOfTheCommand) {
  ui.fileNames.push_back(Path("factory.kvn"));
  ASSERT_TRUE(editor.files().SaveInternalPresets());
  for (int round = 0; round < 2; ++round) {  // the command's Filer is used again
    ui.fileNames.push_back(Path("factory.kvn"));
    ASSERT_TRUE(editor.files().LoadCardPresets());
    EXPECT_EQ(presets().At(kCardBank, 23).image, presets().At(kInternalBank, 23).image);
    for (int i = 0; i < kPresetsPerBank; ++i) presets().ClearPreset(kInternalBank, i);
    ui.fileNames.push_back(Path("factory.kvn"));
    ASSERT_TRUE(editor.files().LoadInternalPresets());
    EXPECT_EQ(presets().At(kInternalBank, 40).empty, 0);
  }
}

TEST_F(FilerTest, CancelledOrMismatchedChoicesLoadAndShowNothing) {
  ui.fileNames.push_back("");
  EXPECT_FALSE(editor.files().LoadSet());
  WriteFile(Path("bank.kvn"), "XSNP");
  ui.fileNames.push_back(Path("bank.kvn"));
  EXPECT_FALSE(editor.files().LoadSet());
  ui.fileNames.push_back("");
  EXPECT_FALSE(editor.files().SaveSetAs());
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(FilesIn(Dir()), 1u);
}

TEST_F(FilerTest, FailuresShowTheFileErrorDialogWithTheirText) {
  WriteFile(Path("bad.xpc"), std::string(100, 'x'));
  struct Case {
    std::function<bool()> command;
    std::string name;
    std::string message;
  } cases[] = {
      {[&] { return editor.files().LoadSet(); }, Path("missing.xpc"), "No File to Save Backup"},
      {[&] { return editor.files().LoadSet(); }, Path("bad.xpc"), "File has Illegal data"},
      {[&] { return editor.files().SaveSetAs(); }, Path("no/such/folder.xpc"),
       "Disk Write Protected"},
  };
  for (const Case& c : cases) {
    ui.Clear();
    ui.fileNames.push_back(c.name);
    EXPECT_FALSE(c.command());
    ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
    EXPECT_EQ(ui.boxes[0].text, c.name + "\nFile error:      \n\n" + c.message);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Abort);
  }
  Filer f(editor);
  f.medium = 7;
  f.error = kFilerBadMedium;
  EXPECT_EQ(f.ErrorText(true), "Not 1 On 7 For 3");
}

TEST_F(FilerTest, FileErrorsAreLogged) {
  LinkEnvironment env;
  env.logFolder = Dir();
  Editor logged(ui, clock, env);
  ui.fileNames.push_back(Path("missing.xpc"));
  EXPECT_FALSE(logged.files().LoadSet());
  const auto log = FileBytes(Path("test.txt"));
  EXPECT_NE(std::string(log.begin(), log.end()).find("File error: No File to Save Backup"),
            std::string::npos);
}

// The new file is written beside the old one and renamed over it only when complete.
TEST_F(FilerTest, FailedSaveKeepsTheOldFile) {
  const std::string path = Path("show.xpc");
  const std::string old(1500, 'o');
  WriteFile(path, old);
  ui.fileNames.push_back(path);

  // A file size limit below the set's size makes the write fail part way.
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = editor.files().SaveSetAs();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(saved_ok);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, path + "\nFile error:      \n\nDisk Full");
  const auto bytes = FileBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), old);
  EXPECT_EQ(FilesIn(Dir()), 1u);  // no temporary file left behind

  // Without the limit the same command replaces the file.
  EXPECT_TRUE(editor.files().SaveSet());
  EXPECT_EQ(FileBytes(path).size(), 1646u);
  EXPECT_EQ(FilesIn(Dir()), 1u);
}

}  // namespace
}  // namespace korvan::test
