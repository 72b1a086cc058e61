#include "tool/tool_ui.h"

#include <cstdio>

namespace korvan::tool {

MsgResult ToolUi::MessageBox(const std::string& text, MsgIcon, MsgButtons buttons) {
  const size_t firstEnd = text.find('\n');
  const size_t lastStart = text.rfind('\n');
  if (firstEnd == std::string::npos)
    lastBox = text;
  else
    lastBox = text.substr(0, firstEnd) + ": " + text.substr(lastStart + 1);
  return FirstButton(buttons);
}

void ToolUi::ProgressBar(int position, int maximum) {
  if (!progressOnTerminal || maximum <= 0) return;
  constexpr int kWidth = 40;
  const int filled = position * kWidth / maximum;
  std::fprintf(stderr, "\r[%s%s] %3d%% block %d/%d", std::string(filled, '#').c_str(),
               std::string(kWidth - filled, ' ').c_str(), position * 100 / maximum, position,
               maximum);
  std::fflush(stderr);
  barShown_ = true;
}

void ToolUi::ProgressClose() {
  EndProgressLine();
}

void ToolUi::EndProgressLine() {
  if (!barShown_) return;
  std::fputc('\n', stderr);
  barShown_ = false;
}

std::string ToolUi::Next() {
  if (fileNames.empty()) return {};
  std::string name = fileNames.front();
  fileNames.pop_front();
  return name;
}

}  // namespace korvan::tool
