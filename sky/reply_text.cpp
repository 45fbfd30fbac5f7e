#include "sky/reply_text.h"

#include <charconv>
#include <cstdio>

namespace sky {

void AppendNumber(std::string& reply, double value) {
  if (value == 0.0) value = 0.0;  // turns -0 into 0
  // Fixed notation of a finite double needs at most 309 digits before the
  // point and 767 after it; the engine's values are far smaller, but the
  // buffer takes any of them.
  char buffer[1100];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec == std::errc()) {
    reply.append(buffer, result.ptr);
  } else {
    reply += '0';
  }
}

void AppendTruth(std::string& reply, bool value) { reply += value ? "TRUE" : "FALSE"; }

void AppendDate(std::string& reply, const char* label, const CivilTime& time) {
  const bool ad = time.year > 0;
  const long long year = ad ? time.year : 1LL - time.year;
  char buffer[96];
  const int n = std::snprintf(buffer, sizeof buffer, "%s %s%lld/%02d/%02d %02d:%02d:%02d", label,
                              ad ? "AD" : "BC", year, time.month, time.day, time.hour,
                              time.minute, static_cast<int>(time.second));
  if (n > 0) reply.append(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

}  // namespace sky
