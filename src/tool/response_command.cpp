// korvan-tool response: the crossover and EQ curves of the graphs, column by column.

#include <cstdio>
#include <memory>
#include <string>

#include "graphs/column_freq.h"
#include "graphs/graph_rows.h"
#include "graphs/response_curves.h"
#include "graphs/xover_curve.h"
#include "model/control_ids.h"
#include "model/model.h"
#include "tool/commands.h"

namespace korvan::tool {
namespace {

struct XOverArgs {
  int lpType = 0, lpStep = 0, hpType = 0, hpStep = 0;
};

struct EqArgs {
  int kind = 0, slope = 0, freqStep = 0, qStep = 0, gainStep = 0;
};

// The curves are computed from a model holding the steps, as the graphs compute them.
int RunXOver(const XOverArgs& a) {
  Model model;
  Modul& out = model.OutputModule(0);
  model.StoreDirect(out.Ctrl(mc::LPType), a.lpType);
  model.StoreDirect(out.Ctrl(mc::LPFreq), a.lpStep);
  model.StoreDirect(out.Ctrl(mc::HPType), a.hpType);
  model.StoreDirect(out.Ctrl(mc::HPFreq), a.hpStep);
  ColumnCurve mag;
  ComputeXOverCurve(model, 0, mag);
  const ColumnCurve& freq = ColumnFreq();
  for (int j = 0; j < kGraphColumns; ++j) {
    const int offset = XOverRowOffset(mag[j]);
    std::printf("%d\t%.9g\t%.9g\t%d\t%d\n", j, freq[j], mag[j], offset, XOverRow(offset));
  }
  return 0;
}

int RunEq(const EqArgs& a) {
  Model model;
  Modul& ch = model.InputModule(0);
  model.StoreDirect(ch.Ctrl(mc::EqBandsShown), 0);
  model.StoreDirect(ch.Ctrl(mc::EqKind(0)), a.kind);
  model.StoreDirect(ch.Ctrl(mc::EqSlope(0)), a.slope);
  model.StoreDirect(ch.Ctrl(mc::EqFreq(0)), a.freqStep);
  model.StoreDirect(ch.Ctrl(mc::EqQ(0)), a.qStep);
  model.StoreDirect(ch.Ctrl(mc::EqGain(0)), a.gainStep);
  ResponseCurves curves;
  curves.ComputeBandCurves(model, 0);
  const ColumnCurve& db = curves.BandCurves()[0];
  const ColumnCurve& freq = ColumnFreq();
  for (int j = 0; j < kGraphColumns; ++j)
    std::printf("%d\t%.9g\t%.6f\t%d\n", j, freq[j], db[j], EqRow(db[j]));
  return 0;
}

void Step(CLI::App* cmd, const char* name, int& value, int max, const std::string& what) {
  cmd->add_option(name, value, what + " (0.." + std::to_string(max) + ")")
      ->required()
      ->check(CLI::Range(0, max));
}

}  // namespace

void AddResponseCommand(CLI::App& app, int& rc) {
  auto* cmd = app.add_subcommand("response", "Print a response curve of the graphs per column");
  cmd->require_subcommand(1);

  auto x = std::make_shared<XOverArgs>();
  auto* xover = cmd->add_subcommand("xover", "One output's crossover: j freq mag offset row");
  Step(xover, "LPTYPE", x->lpType, 10, "low-pass type");
  Step(xover, "LPSTEP", x->lpStep, 320, "low-pass frequency step");
  Step(xover, "HPTYPE", x->hpType, 10, "high-pass type");
  Step(xover, "HPSTEP", x->hpStep, 320, "high-pass frequency step");
  xover->callback([&rc, x] { rc = RunXOver(*x); });

  auto e = std::make_shared<EqArgs>();
  auto* eq = cmd->add_subcommand("eq", "One EQ band: j freq db row");
  Step(eq, "KIND", e->kind, 2, "0 low shelving, 1 parametric, 2 high shelving");
  Step(eq, "SLOPE", e->slope, 1, "0 6 dB/Oct, 1 12 dB/Oct");
  Step(eq, "FREQSTEP", e->freqStep, 320, "frequency step");
  Step(eq, "QSTEP", e->qStep, 40, "Q step");
  Step(eq, "GAINSTEP", e->gainStep, 300, "gain step");
  eq->callback([&rc, e] { rc = RunEq(*e); });
}

}  // namespace korvan::tool
