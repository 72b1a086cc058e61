#pragma once
// Whole-curve evaluation over the graph columns for the repaint path. Mathematically the same as
// EqBandMag and XOverMag, rearranged so that the compiler can evaluate several columns at once:
// no logarithm or square root call per column.

#include "graphs/column_freq.h"

namespace korvan {

// 20 * log10(EqBandMag(code, ColumnFreq[j], f0, q, gainDb)) for every column j.
void EqBandDbColumns(int code, float f0, float q, float gainDb, ColumnCurve& db);

// XOverMag(lpType, lpFc, hpType, hpFc, ColumnFreq[j]) for every column j.
void XOverMagColumns(int lpType, float lpFc, int hpType, float hpFc, ColumnCurve& mag);

}  // namespace korvan
