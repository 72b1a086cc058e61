// korvan-tool catalogue: every configured control, then the size of a parameter image.

#include <cstdio>
#include <iostream>
#include <string>

#include "core/manual_scheduler.h"
#include "editor/editor.h"
#include "tool/commands.h"

namespace korvan::tool {
namespace {

std::string Attributes(const MCtrl& c) {
  std::string a;
  if (c.Has(MC_STORED)) a += 'S';
  if (c.Has(MC_SEND) && !c.Has(MC_STORED)) a += 'X';
  if (c.Has(MC_KEEP)) a += 'K';
  if (c.Has(MC_UNLINKED)) a += 'U';
  return a.empty() ? "-" : a;
}

int RunCatalogue() {
  SilentUi ui;
  ManualScheduler clock;
  Editor editor(ui, clock);
  Model& model = editor.model();
  for (int modix = 0; modix < kModuleCount; ++modix) {
    const Modul& m = model.Module(modix);
    for (const MCtrl& c : m.controls) {
      if (!c.Enabled()) continue;
      char group[16];
      std::snprintf(group, sizeof group, "0x%x", static_cast<unsigned>(c.group));
      std::cout << modix << '\t' << c.mcix << '\t' << c.maxStep + 1 << '\t' << c.defaultValue
                << '\t' << Attributes(c) << '\t' << group << '\t' << ChangeRuleName(c.onChange)
                << '\n';
    }
  }
  std::cout << "image words\t" << model.ImageWordCount() << '\n';
  return 0;
}

}  // namespace

void AddCatalogueCommand(CLI::App& app, int& rc) {
  auto* cmd = app.add_subcommand("catalogue", "List every configured control of the model");
  cmd->callback([&rc] { rc = RunCatalogue(); });
}

}  // namespace korvan::tool
