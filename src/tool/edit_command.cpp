// korvan-tool edit: a set file changed as a user would change it in the editor.

#include <charconv>
#include <iostream>
#include <string>
#include <vector>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "model/change_rules.h"
#include "model/control_ids.h"
#include "tool/commands.h"
#include "tool/tool_ui.h"
#include "transfer/file_kind.h"

namespace korvan::tool {
namespace {

struct Edit {
  bool select = false;
  int modix = 0;
  int mcix = 0;
  int step = 0;
};

bool ParseInt(std::string_view text, int& v) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// MODIX:MCIX=STEP or SEL:MODIX.
bool ParseEdit(const std::string& text, const Model& model, Edit& e) {
  if (text.rfind("SEL:", 0) == 0) {
    e.select = true;
    e.mcix = mc::Select;
    e.step = 1;
    return ParseInt(std::string_view(text).substr(4), e.modix) && e.modix >= 1 && e.modix <= 10;
  }
  const size_t colon = text.find(':');
  const size_t eq = text.find('=');
  if (colon == std::string::npos || eq == std::string::npos || eq < colon) return false;
  const std::string_view t(text);
  if (!ParseInt(t.substr(0, colon), e.modix) ||
      !ParseInt(t.substr(colon + 1, eq - colon - 1), e.mcix) || !ParseInt(t.substr(eq + 1), e.step))
    return false;
  return e.modix >= 0 && e.modix < kModuleCount && e.mcix > 0 &&
         e.mcix < model.Module(e.modix).controlCount;
}

int RunEdit(const std::string& in, const std::string& out, const std::vector<std::string>& edits) {
  ToolUi ui;
  ManualScheduler clock;
  Editor editor(ui, clock);
  Model& model = editor.model();

  std::vector<Edit> parsed;
  for (const std::string& text : edits) {
    Edit e;
    if (!ParseEdit(text, model, e)) {
      std::cerr << "not an edit: " << text << " (MODIX:MCIX=STEP or SEL:MODIX)\n";
      return 2;
    }
    parsed.push_back(e);
  }

  if (!in.empty()) {
    if (FileKindOf(in) != kFileSet) {
      std::cerr << in << ": not a set file (.xpc)\n";
      return 1;
    }
    ui.fileNames.push_back(in);
    if (!editor.files().LoadSet()) {
      std::cerr << ui.lastBox << '\n';
      return 1;
    }
  }

  for (const Edit& e : parsed) {
    MCtrl& c = model.Ctrl(e.modix, e.mcix);
    const int before = c.value;
    model.EditValue(c, e.step);
    // A confirmed change of the operating mode resets the outputs, as the setup page does.
    if (e.modix == kSetupModix && e.mcix == mc::OpMode && c.value != before)
      ApplyOutputConfiguration(model);
    model.ProcessChanges();
  }

  ui.fileNames.push_back(out);
  if (!editor.files().SaveSet()) {
    std::cerr << (ui.lastBox.empty() ? out + ": not written" : ui.lastBox) << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

void AddEditCommand(CLI::App& app, int& rc) {
  auto* cmd = app.add_subcommand("edit", "Edits a set as the editor's window controls would");
  static std::string in, out;
  static std::vector<std::string> edits;
  cmd->add_option("-i", in, "Set file to start from (default: the state after start-up)");
  cmd->add_option("-o", out, "Set file to write")->required();
  cmd->add_option("EDIT", edits, "MODIX:MCIX=STEP, or SEL:MODIX to press a select button");
  cmd->callback([&rc] { rc = RunEdit(in, out, edits); });
}

}  // namespace korvan::tool
