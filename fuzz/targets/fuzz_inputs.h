// Splitting a fuzz input into the pieces a target hands out: a few
// leading bytes of choices, then texts separated by line breaks.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

class CInput {
 public:
  CInput(const uint8_t* data, size_t size) : m_rest(reinterpret_cast<const char*>(data), size) {}

  // The next byte (0 when the input has run out).
  uint8_t Byte() {
    if (m_rest.empty()) return 0;
    const auto b = static_cast<uint8_t>(m_rest.front());
    m_rest.remove_prefix(1);
    return b;
  }
  // The next text up to a line break (the rest when there is none).
  std::string Line() {
    const size_t end = m_rest.find('\n');
    std::string line(m_rest.substr(0, end));
    m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
    return line;
  }
  QString QLine() { return QString::fromUtf8(Line()); }
  bool Empty() const { return m_rest.empty(); }

 private:
  std::string_view m_rest;
};

}  // namespace fuzz
