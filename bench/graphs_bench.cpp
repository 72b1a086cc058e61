// What one repaint of the Display page computes: the overview curves of all six outputs, each
// with nine active EQ bands and both crossover filters, over the 390 columns.

#include <benchmark/benchmark.h>

#include <array>

#include "graphs/overview_rows.h"
#include "graphs/response_curves.h"
#include "graphs/xover_curve.h"
#include "model/control_ids.h"
#include "model/model.h"

namespace korvan {
namespace {

void LoadBusyOutputs(Model& model) {
  for (int o = 0; o < kCurveOutputs; ++o) {
    Modul& m = model.OutputModule(o);
    auto set = [&](int mcix, int v) { model.StoreDirect(m.Ctrl(mcix), v); };
    set(mc::EqOn, 1);
    set(mc::EqBandsShown, 8);
    for (int b = 0; b < mc::kEqBands; ++b) {
      set(mc::EqFreq(b), 20 + 33 * b);
      set(mc::EqQ(b), 5 + 4 * b);
      set(mc::EqGain(b), b % 2 ? 60 + 10 * b : 200 + 10 * b);  // never 0 dB: no short cut
      set(mc::EqKind(b), b % 3);
      set(mc::EqSlope(b), b % 2);
    }
    // The steepest types, one pair per output.
    set(mc::HPType, 6 + (o % 5));
    set(mc::HPFreq, 20 + 10 * o);
    set(mc::LPType, 10 - (o % 5));
    set(mc::LPFreq, 250 + 10 * o);
  }
}

void BM_DisplayPageRepaint(benchmark::State& state) {
  Model model;
  LoadBusyOutputs(model);
  ResponseCurves curves;
  std::array<ColumnRows, kCurveOutputs> rows;
  for (auto _ : state) {
    ComputeOverview(model, curves, rows);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_DisplayPageRepaint)->Unit(benchmark::kMicrosecond);

// The parts: one channel's nine bands, and one output's crossover.
void BM_NineBandCurves(benchmark::State& state) {
  Model model;
  LoadBusyOutputs(model);
  ResponseCurves curves;
  for (auto _ : state) {
    benchmark::DoNotOptimize(curves.ComputeBandCurves(model, kFirstOutputChannel));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_NineBandCurves)->Unit(benchmark::kMicrosecond);

void BM_XOverRows(benchmark::State& state) {
  Model model;
  LoadBusyOutputs(model);
  ColumnRows rows;
  for (auto _ : state) {
    ComputeXOverRows(model, 0, rows);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_XOverRows)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvan

BENCHMARK_MAIN();
