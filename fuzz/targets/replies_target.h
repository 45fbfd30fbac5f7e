// The pad's reply readers on arbitrary bytes: numbers, whole numbers,
// truth, number pairs and both date patterns.  Besides not crashing:
// a number reads as strtod reads the same decimal text, and a date reads
// as sscanf reads it with the pad's patterns, wherever those C functions
// are defined (no "inf", "nan" or hexadecimal, no int overflow).
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "pad/replies.h"

namespace fuzz {

class CRepliesFuzz {
 public:
  CRepliesFuzz() : m_cLocale(newlocale(LC_ALL_MASK, "C", locale_t(0))) {}
  ~CRepliesFuzz() { freelocale(m_cLocale); }
  CRepliesFuzz(const CRepliesFuzz&) = delete;
  CRepliesFuzz& operator=(const CRepliesFuzz&) = delete;

  void Run(const uint8_t* data, size_t size) {
    // The C functions compared with read as in the C locale, as the
    // pad's readers do whatever the process's locale (Qt sets the user's).
    const locale_t previous = uselocale(m_cLocale);
    RunInCLocale(data, size);
    uselocale(previous);
  }

 private:
  void RunInCLocale(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string cText(text.substr(0, text.find('\0')));  // what a C function sees

    const double number = replies::ReadNumber(text);
    FUZZ_CHECK(!std::isnan(number), "ReadNumber gave NaN");
    if (IsPlainDecimal(cText)) {
      const double expected = std::strtod(cText.c_str(), nullptr);
      FUZZ_CHECK(number == expected || std::fabs(number - expected) <= DBL_MIN, "ReadNumber %.17g, strtod %.17g",
                 number, expected);
    }
    (void)replies::ReadInt(text);
    FUZZ_CHECK(replies::ReadTruth(text) == (text == "TRUE"), "ReadTruth");

    double first = 1.5, second = 2.5;
    replies::ReadNumberPair(text, &first, &second);
    FUZZ_CHECK(!std::isnan(first) && !std::isnan(second), "ReadNumberPair gave NaN");

    for (int labelMax : {4, 3}) {
      replies::DateFields fields;
      const int read = replies::ReadDate(text, labelMax, &fields);
      FUZZ_CHECK(read >= 0 && read <= 8, "ReadDate returned %d", read);
      FUZZ_CHECK(int(fields.label.size()) <= labelMax && fields.era.size() <= 2, "ReadDate words too long");
      if (NumbersFitInt(cText)) CompareWithScanf(cText, labelMax, read, fields);
    }
  }

  // A text on which strtod reads only a decimal number (or nothing), as
  // the pad does: no infinity, NaN or hexadecimal forms.
  static bool IsPlainDecimal(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (pos >= text.size()) return true;
    const char c = text[pos];
    if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) return false;
    return (c >= '0' && c <= '9') || c == '.' || !(c == 'i' || c == 'I' || c == 'n' || c == 'N');
  }

  // sscanf's %d is undefined beyond the int range: compare only texts
  // whose digit runs are short.
  static bool NumbersFitInt(const std::string& text) {
    int run = 0;
    for (char c : text) {
      run = (c >= '0' && c <= '9') ? run + 1 : 0;
      if (run > 9) return false;
    }
    return true;
  }

  static void CompareWithScanf(const std::string& text, int labelMax, int read, const replies::DateFields& got) {
    char label[8] = "", era[4] = "";
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const char* pattern = labelMax == 4 ? "%4s %2s%d/%d/%d %d:%d:%d" : "%3s %2s%d/%d/%d %d:%d:%d";
    int expected = std::sscanf(text.c_str(), pattern, label, era, &year, &month, &day, &hour, &minute, &second);
    if (expected == EOF) expected = 0;
    FUZZ_CHECK(read == expected, "ReadDate(%d) read %d items, sscanf %d", labelMax, read, expected);
    FUZZ_CHECK(got.label == label && got.era == era, "ReadDate(%d) words '%s' '%s', sscanf '%s' '%s'", labelMax,
               got.label.c_str(), got.era.c_str(), label, era);
    FUZZ_CHECK(got.year == year && got.month == month && got.day == day && got.hour == hour &&
                   got.minute == minute && got.second == second,
               "ReadDate(%d) fields differ from sscanf", labelMax);
  }

  locale_t m_cLocale;
};

}  // namespace fuzz
