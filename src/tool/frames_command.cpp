// korvan-tool frames: the SYSEX_DATA_BLOCK frames that would carry a file's image to a unit.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "tool/commands.h"
#include "transfer/block_stream.h"
#include "transfer/file_kind.h"

namespace korvan::tool {
namespace {

int RunFrames(const std::string& path, int device) {
  const int kind = FileKindOf(path);
  if (kind < 0) {
    std::cerr << path << ": not a bank (.kvn), set (.xpc) or program (.bin) file\n";
    return 1;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << path << ": cannot be read\n";
    return 1;
  }
  const std::vector<uint8_t> image{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  if (image.empty()) {
    std::cerr << path << ": No File to Send\n";
    return 1;
  }
  const unsigned blocks = BlockCount(static_cast<unsigned>(image.size()));
  std::string line;
  for (unsigned k = 0; k < blocks; ++k) {
    line.clear();
    for (uint8_t b : DataBlockFrame(image, kind, device, k)) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02X", b);
      if (!line.empty()) line += ' ';
      line += hex;
    }
    std::cout << line << '\n';
  }
  return 0;
}

}  // namespace

void AddFramesCommand(CLI::App& app, int& rc) {
  auto* cmd = app.add_subcommand("frames", "The data-block frames that carry a file to a unit");
  static std::string path;
  static int device = 0x20;
  cmd->add_option("FILE", path, "Bank, set or program file")->required();
  cmd->add_option("--device", device, "Device byte of the frames (default 0x20)")
      ->check(CLI::Range(0, 127));
  cmd->callback([&rc] { rc = RunFrames(path, device); });
}

}  // namespace korvan::tool
