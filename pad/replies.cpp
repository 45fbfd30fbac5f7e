// Reading the host's replies and the dialogs' edit texts.
//
// The readers work on the text up to its first NUL character, as the C
// string functions the replies were once handed to would.  Nothing is
// copied into fixed buffers and every integer saturates at the int range,
// so a reply of any length or shape is safe.
#include "pad/replies.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace replies {
namespace {

// The C locale's blanks (isspace without the locale lookup).
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text as a C string would end it.
std::string_view UpToNul(std::string_view text) {
  const auto nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

// Length of the longest [sign]digits[.digits][(e|E)[sign]digits] prefix
// that holds at least one digit in its mantissa; 0 when there is none.
// std::from_chars would also take "inf", "nan" and hexadecimal forms, so
// the decimal prefix is cut out here first.
size_t DecimalPrefix(std::string_view text) {
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) { ++pos; ++digits; }
  if (pos < text.size() && text[pos] == '.') {
    size_t after = pos + 1;
    size_t fraction = 0;
    while (after < text.size() && IsDigit(text[after])) { ++after; ++fraction; }
    if (digits + fraction > 0) {
      pos = after;
      digits += fraction;
    }
  }
  if (digits == 0) return 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t exp = pos + 1;
    if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
    if (exp < text.size() && IsDigit(text[exp])) {
      while (exp < text.size() && IsDigit(text[exp])) ++exp;
      pos = exp;
    }
  }
  return pos;
}

// Whether a decimal text too large or too small for a double overflows
// (true) or underflows (false): the decimal exponent of its first
// significant digit decides.
bool Overflows(std::string_view number) {
  long long magnitude = 0;  // exponent of the first significant digit, plus one
  bool seenSignificant = false, afterPoint = false;
  size_t pos = 0;
  for (; pos < number.size() && number[pos] != 'e' && number[pos] != 'E'; ++pos) {
    const char c = number[pos];
    if (c == '.') { afterPoint = true; continue; }
    if (!IsDigit(c)) continue;
    if (!seenSignificant && c == '0') {
      if (afterPoint) --magnitude;
      continue;
    }
    seenSignificant = true;
    if (!afterPoint) ++magnitude;
  }
  long long exponent = 0;
  bool negative = false;
  if (pos < number.size()) {
    ++pos;
    if (pos < number.size() && (number[pos] == '+' || number[pos] == '-')) negative = number[pos++] == '-';
    for (; pos < number.size(); ++pos) {
      exponent = std::min(exponent * 10 + (number[pos] - '0'), 100000000LL);
    }
  }
  return magnitude + (negative ? -exponent : exponent) > 0;
}

// A decimal integer as %d reads it: optional sign, at least one digit,
// saturating at the int range.  Returns false when no digit follows.
bool ScanInt(std::string_view text, size_t* pos, int* value) {
  size_t p = SkipBlanks(text, *pos);
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p >= text.size() || !IsDigit(text[p])) return false;
  long long v = 0;  // magnitude, held just beyond the int range
  for (; p < text.size() && IsDigit(text[p]); ++p) {
    v = std::min(v * 10 + (text[p] - '0'), static_cast<long long>(INT_MAX) + 1);
  }
  v = negative ? -v : v;
  *value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
  *pos = p;
  return true;
}

// Up to `width` non-blank characters, after blanks, as %Ns reads them.
bool ScanWord(std::string_view text, size_t* pos, size_t width, std::string* word) {
  size_t p = SkipBlanks(text, *pos);
  const size_t start = p;
  while (p < text.size() && p - start < width && !IsBlank(text[p])) ++p;
  if (p == start) return false;
  word->assign(text.substr(start, p - start));
  *pos = p;
  return true;
}

bool ScanLiteral(std::string_view text, size_t* pos, char c) {
  if (*pos < text.size() && text[*pos] == c) {
    ++*pos;
    return true;
  }
  return false;
}

}  // namespace

double ReadNumber(std::string_view text) {
  text = UpToNul(text);
  text.remove_prefix(SkipBlanks(text, 0));
  std::string_view number = text.substr(0, DecimalPrefix(text));
  if (number.empty()) return 0.0;
  const bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);  // from_chars takes no '+'
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the double range: as the C library reads it, infinity or zero.
    value = Overflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

bool IsDecimalNumber(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return false;
  const size_t start = SkipBlanks(text, 0);
  const size_t end = start + DecimalPrefix(text.substr(start));
  return end > start && SkipBlanks(text, end) == text.size();
}

int ReadInt(std::string_view text) {
  const double value = std::trunc(ReadNumber(text));
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

bool ReadTruth(std::string_view text) { return text == "TRUE"; }

void ReadNumberPair(std::string_view text, double* first, double* second) {
  text = UpToNul(text);
  const auto semicolon = text.find(';');
  *first = ReadNumber(text.substr(0, semicolon));
  *second = semicolon == std::string_view::npos ? 0.0 : ReadNumber(text.substr(semicolon + 1));
}

int ReadDate(std::string_view text, int labelMax, DateFields* fields) {
  text = UpToNul(text);
  fields->label.clear();
  fields->era.clear();
  size_t pos = 0;
  int read = 0;
  if (!ScanWord(text, &pos, labelMax < 1 ? 1 : static_cast<size_t>(labelMax), &fields->label)) return read;
  ++read;
  pos = SkipBlanks(text, pos);  // the blank of the pattern takes any run of blanks, or none
  if (!ScanWord(text, &pos, 2, &fields->era)) return read;
  ++read;
  // year/month/day hour:minute:second; %d skips blanks itself, literals do not.
  int* const targets[] = {&fields->year, &fields->month, &fields->day,
                          &fields->hour, &fields->minute, &fields->second};
  const char separators[] = {'/', '/', ' ', ':', ':'};
  for (int i = 0; i < 6; ++i) {
    int value = 0;
    if (!ScanInt(text, &pos, &value)) return read;
    *targets[i] = value;
    ++read;
    if (i == 5) break;
    if (separators[i] == ' ') {
      pos = SkipBlanks(text, pos);
    } else if (!ScanLiteral(text, &pos, separators[i])) {
      return read;
    }
  }
  return read;
}

}  // namespace replies
