// A host control that passes every call to a real one, except the Nth,
// which fails: it throws CHostError or answers with garbage instead.
#pragma once

#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "host/corlmr.h"

enum class Fault { Throw, RandomBytes, HugeText, NaN, MinusInf, WildDate, BareWildDate, True, Empty };

// What each fault answers (Throw throws; RandomBytes: up to 80 random bytes,
// NULs included; HugeText: a million nines), and its name for a trace.
inline const struct { const char* name; const char* reply; } kFaults[] = {
    {"throw", ""},          {"random bytes", ""}, {"huge text", ""}, {"nan", "nan"}, {"-inf", "-inf"},
    {"wild date", "JST BC-2147483648/99/99 99:99:99"}, {"bare wild date", "BC-2147483648/99/99 99:99:99"},
    {"TRUE", "TRUE"},       {"empty", ""},
};
static_assert(std::size(kFaults) == int(Fault::Empty) + 1);
inline const char* FaultName(Fault fault) { return kFaults[int(fault)].name; }

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
  bool failed = false;  // a failure was injected since the test last cleared it

  std::string Execute(const char* command) override {
    if (++m_calls != m_failAt) return m_real.Execute(command);
    failed = true;
    if (m_fault == Fault::Throw) throw CHostError("injected host failure");
    if (m_fault == Fault::HugeText) return std::string(1 << 20, '9');
    if (m_fault != Fault::RandomBytes) return kFaults[int(m_fault)].reply;
    std::string bytes(m_random() % 81, '\0');
    for (char& c : bytes) c = static_cast<char>(m_random() & 0xFF);
    return bytes;
  }

 private:
  CCorLmr& m_real;
  int m_calls = 0;
  int m_failAt = -1;
  Fault m_fault = Fault::Throw;
  std::mt19937 m_random;
};
