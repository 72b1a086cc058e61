#include "link/texter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace korvan {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Texter, StartsEmptyAndAppendsOneLinePerMessage) {
  test::TempDir dir;
  test::FakeUi ui;
  const std::string path = dir.path() + "/test.txt";
  std::ofstream(path) << "old run\n";
  Texter log(ui, dir.path());
  EXPECT_EQ(Read(path), "");
  log.Print("Connected thru COM port %d", 3);
  log.Print("%s", "x");
  EXPECT_EQ(Read(path), "Connected thru COM port 3\nx\n");
  // Deleted while running: the next message makes it again.
  std::remove(path.c_str());
  log.Print("again");
  EXPECT_EQ(Read(path), "again\n");
}

TEST(Texter, LongMessagesAreCutTo255Characters) {
  test::TempDir dir;
  test::FakeUi ui;
  Texter log(ui, dir.path());
  log.Print("%s", std::string(300, 'a').c_str());
  EXPECT_EQ(Read(log.Path()), std::string(255, 'a') + "\n");
}

TEST(Texter, StatusLineOnlyWhileTheConnectDialogIsShown) {
  test::TempDir dir;
  test::FakeUi ui;
  Texter log(ui, dir.path());
  log.Print("hidden");
  EXPECT_EQ(ui.connectStatus, "");
  log.SetDialogShown(true);
  log.Print("shown %d", 1);
  EXPECT_EQ(ui.connectStatus, "shown 1");
  log.SetDialogShown(false);
  log.Print("hidden again");
  EXPECT_EQ(ui.connectStatus, "shown 1");
}

TEST(Texter, AnUnwritableFileStillShowsTheStatusLine) {
  test::TempDir dir;
  test::FakeUi ui;
  Texter log(ui, dir.path() + "/no/such/folder");
  log.SetDialogShown(true);
  log.Print("Searching for Korvan.");
  EXPECT_EQ(ui.connectStatus, "Searching for Korvan.");
}

}  // namespace
}  // namespace korvan
