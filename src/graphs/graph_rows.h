#pragma once
// Pixel rows of the 390 x 177 response graphs: row 0 at the top, 0 dB at row 88.

#include "graphs/column_freq.h"

namespace korvan {

inline constexpr int kZeroDbRow = 88;
inline constexpr int kRowAbove = -1;       // drawn just above the graph
inline constexpr int kRowBelow = 178;      // drawn just below the graph
inline constexpr int kFloorOffset = -180;  // crossover offset of a magnitude below 2^-17

// EQ and dynamic EQ curves: 6 pixels per dB, the level clamped to +-15 dB (rows -2..178).
int EqRow(float db);

// Approximately 48 * log2(mag) (48 pixels per halving), read off the bits of the float: the
// exponent and the top 7 bits of the mantissa.
int XOverRowOffset(float mag);
// The crossover graph's row for an offset: 176 or more becomes 178, a negative row -1.
int XOverRow(int offset);

// The Display page: an output's EQ sum in dB (unclamped, ignored when its EQ is off) on top of
// its crossover offset; a row above 175 becomes 178, a negative row -1.
int OverviewRow(float eqSumDb, bool eqOn, int offset);

// The same mappings over whole curves.
void EqRows(const ColumnCurve& db, ColumnRows& rows);
void XOverRowOffsets(const ColumnCurve& mag, ColumnRows& offsets);
void XOverRows(const ColumnRows& offsets, ColumnRows& rows);
void OverviewRows(const ColumnCurve& eqSumDb, bool eqOn, const ColumnRows& offsets,
                  ColumnRows& rows);

}  // namespace korvan
