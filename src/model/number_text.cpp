#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace korvan {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The magnitude of a finite x as decimal digits d0 d1 d2 … with d0 standing for 10^exp10.
struct Decimal {
  std::string digits;
  int exp10 = 0;
};

// Enough digits that a value which is not exactly halfway between two roundings is never taken
// for one: a double's distance from such a midpoint is far larger than 10^-47 of its size.
constexpr int kExactDigits = 48;

Decimal Expand(double x) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%.*e", kExactDigits - 1, std::fabs(x));
  Decimal d;
  for (const char* p = buf; *p && *p != 'e'; ++p)
    if (IsDigit(*p)) d.digits += *p;
  const char* e = buf;
  while (*e && *e != 'e') ++e;
  if (*e == 'e') d.exp10 = std::atoi(e + 1);
  return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the rest. keep may be zero or
// negative (everything below the first kept place): the result is then 0 or one unit of the
// place just above the digits.
Decimal RoundTo(Decimal d, int keep) {
  if (keep < 0) return Decimal{"0", d.exp10 - keep};
  if (keep >= static_cast<int>(d.digits.size())) return d;
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exp10;
    }
  }
  if (d.digits.empty()) d.digits.push_back('0');
  return d;
}

bool AllZero(const std::string& s) {
  return s.find_first_not_of('0') == std::string::npos;
}

// The digit for the place 10^p (0 outside the digits held).
char DigitAt(const Decimal& d, int p) {
  const int i = d.exp10 - p;
  return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
}

// Writes the places from the highest digit (at least 10^0) down to 10^lowestPlace.
std::string Compose(bool negative, const Decimal& d, int lowestPlace, char separator) {
  std::string out;
  if (negative) out += '-';
  const int hi = d.exp10 > 0 ? d.exp10 : 0;
  for (int p = hi; p >= 0; --p) out += DigitAt(d, p);
  if (lowestPlace < 0) {
    out += separator;
    for (int p = -1; p >= lowestPlace; --p) out += DigitAt(d, p);
  }
  return out;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view CutAtUnit(std::string_view text, std::string_view unit) {
  const size_t at = text.find(unit);
  return at == std::string_view::npos ? text : text.substr(0, at);
}

std::optional<double> ParseNumber(std::string_view text, const NumberFormat& format) {
  std::string s(TrimBlanks(text));
  // The decimal point that is not the system's becomes the system's, once.
  const char other = format.decimalSeparator == ',' ? '.' : ',';
  if (const size_t at = s.find(other); at != std::string::npos) s[at] = format.decimalSeparator;

  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::string plain;  // the number with '.' as decimal point, for from_chars
  int digits = 0;
  bool point = false;
  bool nonzeroIntegerPart = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (IsDigit(c)) {
      ++digits;
      if (!point && c != '0') nonzeroIntegerPart = true;
      plain += c;
    } else if (c == format.decimalSeparator && !point) {
      point = true;
      plain += '.';
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range)
    value = nonzeroIntegerPart ? std::numeric_limits<double>::infinity() : 0.0;
  else if (ec != std::errc())
    return std::nullopt;
  return negative ? -value : value;
}

std::optional<int> ParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    if (v < 1'000'000'000'000LL) v = v * 10 + (text[i] - '0');
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

std::string FormatGeneral(double x, int digits, const NumberFormat& format) {
  if (!std::isfinite(x) || x == 0) return "0";
  Decimal d = RoundTo(Expand(x), digits);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  if (AllZero(d.digits)) return "0";
  const int lowest = d.exp10 - static_cast<int>(d.digits.size()) + 1;
  return Compose(x < 0, d, lowest < 0 ? lowest : 0, format.decimalSeparator);
}

std::string FormatFixed(double x, int decimals, const NumberFormat& format) {
  if (!std::isfinite(x)) x = 0;
  Decimal d{"0", 0};
  if (x != 0) {
    d = Expand(x);
    d = RoundTo(d, d.exp10 + 1 + decimals);
  }
  const bool negative = x < 0 && !AllZero(d.digits);
  return Compose(negative, d, -decimals, format.decimalSeparator);
}

int RoundClamped(double x, int lo, int hi) {
  if (!(x > lo)) return lo;  // also NaN
  if (x >= hi) return hi;
  return static_cast<int>(std::round(x));
}

int TruncClamped(double x, int lo, int hi) {
  if (!(x > lo)) return lo;
  if (x >= hi) return hi;
  return static_cast<int>(std::trunc(x));
}

}  // namespace korvan
