#pragma once
// The EQ and dynamic EQ curve buffers of the channel being drawn, filled from the model on every
// repaint. The buffers live in this object, so a repaint allocates nothing.

#include <array>

#include "graphs/column_freq.h"

namespace korvan {

class Model;

inline constexpr int kCurveBands = 9;
inline constexpr int kCurveChannels = 10;  // channel c is module c + 1: inputs 0..3, outputs 4..9
inline constexpr int kFirstOutputChannel = 4;

class ResponseCurves {
 public:
  // Fills rows 0..n-1 of BandCurves (dB) for the n bands in use of the channel and returns n;
  // 0 and nothing touched for a channel that does not exist. A band at 0 dB is a zero row.
  int ComputeBandCurves(const Model& model, int channel);
  // Fills DynCurve (dB) from the channel's dynamic EQ filter; zeros for a missing channel.
  void ComputeDynCurve(const Model& model, int channel);

  // The channel's EQ response at column j: the sum of rows 0..n-1, in band order.
  float BandSum(int n, int j) const;
  void BandSums(int n, ColumnCurve& sum) const;
  // The EQ graph's rows for the first n bands, and the dynamic EQ graph's rows.
  void EqRows(int n, ColumnRows& rows) const;
  void DynRows(ColumnRows& rows) const;

  const std::array<ColumnCurve, kCurveBands>& BandCurves() const { return bandCurves_; }
  const ColumnCurve& DynCurve() const { return dynCurve_; }

 private:
  std::array<ColumnCurve, kCurveBands> bandCurves_{};
  ColumnCurve dynCurve_{};
};

}  // namespace korvan
