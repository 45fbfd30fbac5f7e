// A host control that passes every call to a real one, except the Nth,
// which fails: it throws CHostError or answers with garbage instead.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "host/corlmr.h"

enum class Fault {
  Throw,        // the call throws CHostError
  RandomBytes,  // up to 80 random bytes, NULs included
  HugeText,     // a million nines
  NaN,          // "nan"
  MinusInf,     // "-inf"
  WildDate,     // a date reply with every field beyond its range
  BareWildDate, // the same without its label
  True,         // "TRUE" to every question
  Empty,        // ""
};
constexpr int kFaultKinds = 9;

inline const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::Throw: return "throw";
    case Fault::RandomBytes: return "random bytes";
    case Fault::HugeText: return "huge text";
    case Fault::NaN: return "nan";
    case Fault::MinusInf: return "-inf";
    case Fault::WildDate: return "wild date";
    case Fault::BareWildDate: return "bare wild date";
    case Fault::True: return "TRUE";
    case Fault::Empty: return "empty";
  }
  return "?";
}

class CFaultyHost : public CCorLmr {
 public:
  explicit CFaultyHost(CCorLmr& real) : m_real(real) {}

  // The Nth call from now (1 = the next) fails in the given way; the calls
  // before and after it reach the real host.
  void FailOnCall(int n, Fault fault, std::uint32_t seed = 1) {
    m_failAt = m_calls + n;
    m_fault = fault;
    m_random.seed(seed);
  }
  void Heal() { m_failAt = -1; }
  int Calls() const { return m_calls; }
  bool Failed() const { return m_failed; }
  void ResetFailed() { m_failed = false; }

  std::string Execute(const char* command) override {
    ++m_calls;
    if (m_calls != m_failAt) return m_real.Execute(command);
    m_failed = true;
    switch (m_fault) {
      case Fault::Throw: throw CHostError("injected host failure");
      case Fault::RandomBytes: {
        std::string bytes(m_random() % 81, '\0');
        for (char& c : bytes) c = static_cast<char>(m_random() & 0xFF);
        return bytes;
      }
      case Fault::HugeText: return std::string(1 << 20, '9');
      case Fault::NaN: return "nan";
      case Fault::MinusInf: return "-inf";
      case Fault::WildDate: return "JST BC-2147483648/99/99 99:99:99";
      case Fault::BareWildDate: return "BC-2147483648/99/99 99:99:99";
      case Fault::True: return "TRUE";
      case Fault::Empty: return "";
    }
    return "";
  }

 private:
  CCorLmr& m_real;
  int m_calls = 0;
  int m_failAt = -1;
  Fault m_fault = Fault::Throw;
  bool m_failed = false;
  std::mt19937 m_random;
};
