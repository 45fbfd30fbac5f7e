// Small text helpers of the command interpreter (no locale, no allocation).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sky {

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Equality without regard to ASCII letter case.
inline bool IEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Offset of the first byte that does not belong to a well-formed UTF-8
// sequence (overlong forms, surrogates and code points above U+10FFFF
// included), or npos when the whole text is valid.
size_t FindInvalidUtf8(std::string_view text);

// At most `maxBytes` of a valid UTF-8 text, cut at a character boundary,
// with "..." appended when something was left off.  Control characters
// become blanks, so the excerpt stays on one line of an error reply.
std::string Excerpt(std::string_view text, size_t maxBytes);

}  // namespace sky
