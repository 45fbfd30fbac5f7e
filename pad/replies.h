// Reading the host's replies and the dialogs' edit texts.
//
// A number is a decimal number from the start of the text (leading blanks
// skipped, reading stops at the first character that cannot continue it,
// no number reads as 0).  "inf", "nan" and hexadecimal are not decimal
// numbers.  Nothing here can overrun a buffer or overflow into undefined
// behaviour, however long or malformed the text.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace replies {

double ReadNumber(std::string_view text);
inline double ReadNumber(const QString& text) { return ReadNumber(text.toStdString()); }
// A C string would otherwise match both overloads above; null reads as 0.
inline double ReadNumber(const char* text) { return text ? ReadNumber(std::string_view(text)) : 0.0; }
// Whether the text is one decimal number and nothing else (blanks around
// it allowed): what ReadNumber reads is then all the text says.  Empty
// text, "abc", "12abc" and "1.5.2" are not; "-3", "2451545.25" and "1e999"
// (a number, if too large for anything) are.
bool IsDecimalNumber(std::string_view text);
inline bool IsDecimalNumber(const QString& text) { return IsDecimalNumber(text.toStdString()); }
// A whole number read the same way (the integer part of the decimal number,
// clamped to the int range).
int ReadInt(std::string_view text);

// The reply equals "TRUE" exactly (letter case counts, no blanks).
bool ReadTruth(std::string_view text);

// Two answers joined by ";": the number before the first ";" and the one
// after it (0 when there is no ";").
void ReadNumberPair(std::string_view text, double* first, double* second);

// A date reply "LABEL ERAyear/month/day hour:minute:second" read as the
// scanf patterns "%4s %2s%d/%d/%d %d:%d:%d" (labelMax 4) or
// "%3s %2s%d/%d/%d %d:%d:%d" (labelMax 3) read it.  Fields the text does
// not supply keep their values; a missing label or era reads as empty.
// Returns how many of the eight items were read.
struct DateFields {
  std::string label;
  std::string era;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
int ReadDate(std::string_view text, int labelMax, DateFields* fields);

}  // namespace replies
