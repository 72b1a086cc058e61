#include "tool/tool_ui.h"

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

std::string ToolUi::Next() {
  if (fileNames.empty()) return {};
  std::string name = fileNames.front();
  fileNames.pop_front();
  return name;
}

}  // namespace korvan::tool
