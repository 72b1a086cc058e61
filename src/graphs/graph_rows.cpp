#include "graphs/graph_rows.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace korvan {

// Row arithmetic runs in double: 6 * s and 88 - 6 * s are exact there for any float s, so the
// truncation sees the value itself and not a rounding of it.

int EqRow(float db) {
  if (std::isnan(db)) db = 0.0f;  // never a value to convert blindly
  const double s = db > 15.0f ? 15.0 : (db < -15.0f ? -15.0 : static_cast<double>(db));
  return static_cast<int>(kZeroDbRow - 6.0 * s);
}

int XOverRowOffset(float mag) {
  const uint32_t bits = std::bit_cast<uint32_t>(mag);
  const int e = static_cast<int>((bits >> 23) & 0xFFu);
  const int m7 = static_cast<int>((bits >> 16) & 0x7Fu);
  if (e < 110) return kFloorOffset;
  return 48 * (e - 127) + (48 * m7) / 128;
}

int XOverRow(int offset) {
  const int row = kZeroDbRow - offset;
  if (row >= 176) return kRowBelow;
  if (row < 0) return kRowAbove;
  return row;
}

int OverviewRow(float eqSumDb, bool eqOn, int offset) {
  const double e = eqOn && !std::isnan(eqSumDb) ? -6.0 * static_cast<double>(eqSumDb) : 0.0;
  // A wild sum must not overflow the conversion; anything this far out is off the graph anyway.
  const double limited = e > 1e6 ? 1e6 : (e < -1e6 ? -1e6 : e);
  const int row = static_cast<int>(limited) + kZeroDbRow - offset;
  if (row > 175) return kRowBelow;
  if (row < 0) return kRowAbove;
  return row;
}

void EqRows(const ColumnCurve& db, ColumnRows& rows) {
  for (int j = 0; j < kGraphColumns; ++j) rows[j] = EqRow(db[j]);
}

void XOverRowOffsets(const ColumnCurve& mag, ColumnRows& offsets) {
  for (int j = 0; j < kGraphColumns; ++j) offsets[j] = XOverRowOffset(mag[j]);
}

void XOverRows(const ColumnRows& offsets, ColumnRows& rows) {
  for (int j = 0; j < kGraphColumns; ++j) rows[j] = XOverRow(offsets[j]);
}

void OverviewRows(const ColumnCurve& eqSumDb, bool eqOn, const ColumnRows& offsets,
                  ColumnRows& rows) {
  for (int j = 0; j < kGraphColumns; ++j) rows[j] = OverviewRow(eqSumDb[j], eqOn, offsets[j]);
}

}  // namespace korvan
