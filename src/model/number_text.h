#pragma once
// Reading and writing the numbers of typed and displayed texts: the system decimal separator,
// the "general" and "fixed" number formats, unit words and integer reading.

#include <optional>
#include <string>
#include <string_view>

namespace korvan {

// How numbers are written on this system. The Qt program fills it from the user's locale; the
// core keeps no global copy.
struct NumberFormat {
  char decimalSeparator = '.';  // '.' or ','
};

// Removes leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

// The text before the first occurrence of unit, or the whole text when unit does not occur.
std::string_view CutAtUnit(std::string_view text, std::string_view unit);

// Reads a decimal number: blanks around it are ignored, and either "." or "," is taken as the
// decimal point (the one that is not the system's is replaced first). Accepts an optional sign,
// digits and at most one decimal point; anything else is not a number. A number too large for a
// double reads as an infinity of its sign, which every scale clamps.
std::optional<double> ParseNumber(std::string_view text, const NumberFormat& format);

// Reads a whole decimal integer with an optional sign after trimming blanks. Values beyond the
// range of int saturate (the scales clamp them anyway).
std::optional<int> ParseInteger(std::string_view text);

// "General, n digits": the shortest text with at most n significant digits, no trailing zeros,
// no trailing decimal point, never an exponent (-15, -14.9, 0, 0.1, 1.02, 19.6, 20).
std::string FormatGeneral(double x, int digits, const NumberFormat& format);

// Fixed point with exactly the given number of decimals (0: an integer, no separator).
std::string FormatFixed(double x, int decimals, const NumberFormat& format);

// Rounding half away from zero, and truncation toward zero, with the result clamped to lo..hi
// before it becomes an int (so infinities and huge values are safe).
int RoundClamped(double x, int lo, int hi);
int TruncClamped(double x, int lo, int hi);

}  // namespace korvan
