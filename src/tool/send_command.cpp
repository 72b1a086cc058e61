// korvan-tool send: edits made as a user makes them in the editor, sent live to a linked unit.

#include <charconv>
#include <iostream>
#include <string>
#include <vector>

#include "model/control_ids.h"
#include "model/output_configuration.h"
#include "tool/commands.h"
#include "tool/live_session.h"

namespace korvan::tool {
namespace {

struct SendOptions {
  std::string port;
  int device = 0;
  std::vector<std::string> edits;
};

struct LiveEdit {
  int modix = 0, mcix = 0, step = 0;
};

bool ToInt(std::string_view text, int& v) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// MODIX:MCIX=STEP, or SEL:MODIX for a channel's select button.
bool ParseLiveEdit(const std::string& text, const Model& model, LiveEdit& e) {
  const std::string_view t(text);
  if (t.rfind("SEL:", 0) == 0) {
    e.mcix = mc::Select;
    e.step = 1;
    return ToInt(t.substr(4), e.modix) && e.modix >= 1 && e.modix <= 10;
  }
  const size_t colon = t.find(':'), eq = t.find('=');
  if (colon == std::string_view::npos || eq == std::string_view::npos || eq < colon) return false;
  if (!ToInt(t.substr(0, colon), e.modix) || !ToInt(t.substr(colon + 1, eq - colon - 1), e.mcix) ||
      !ToInt(t.substr(eq + 1), e.step))
    return false;
  return e.modix >= 0 && e.modix < kModuleCount && e.mcix > 0 &&
         e.mcix < model.Module(e.modix).controlCount;
}

int RunSend(const SendOptions& opt) {
  LiveSession session;
  Model& model = session.editor().model();
  std::vector<LiveEdit> edits;
  for (const std::string& text : opt.edits) {
    LiveEdit e;
    if (!ParseLiveEdit(text, model, e)) {
      std::cerr << "korvan-tool send: not an edit: " << text << " (MODIX:MCIX=STEP or SEL:MODIX)\n";
      return 2;
    }
    edits.push_back(e);
  }
  std::string error;
  int rc = 0;
  if (!session.Link(opt.port, opt.device, error, rc)) {
    std::cerr << "korvan-tool send: " << error << '\n';
    return rc;
  }
  auto noAnswer = [&] {
    std::cerr << "korvan-tool send: no status report from the unit\n";
    return 1;
  };
  // One status exchange first, so that a lock of the unit is known before editing.
  if (!session.NextReport()) return noAnswer();
  const LiveUi& ui = session.ui();
  for (const LiveEdit& e : edits) {
    if (ui.popups > 0) break;
    MCtrl& c = model.Ctrl(e.modix, e.mcix);
    const int before = c.value;
    model.EditValue(c, e.step);
    // A confirmed change of the output configuration resets the outputs, as the setup page does.
    if (e.modix == kSetupModix && e.mcix == mc::OpMode && c.value != before)
      ApplyOutputConfiguration(model);
  }
  if (ui.popups == 0 && !session.Flush()) return noAnswer();
  if (ui.popups > 0) {
    std::cerr << "korvan-tool send: " << ui.popupText << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

void AddSendCommand(CLI::App& app, int& rc) {
  auto opt = std::make_shared<SendOptions>();
  CLI::App* cmd = app.add_subcommand("send", "Send edits live to a linked unit");
  cmd->add_option("--port", opt->port, "device path (/dev/ttyUSB0) or COMn")->required();
  cmd->add_option("--device", opt->device, "the unit (1..16)")->check(CLI::Range(1, 16));
  cmd->add_option("EDIT", opt->edits, "MODIX:MCIX=STEP, or SEL:MODIX to press a select button")
      ->required();
  cmd->callback([opt, &rc] { rc = RunSend(*opt); });
}

}  // namespace korvan::tool
