// A host control for tests: answers queries from a table, records every
// command it is sent, and can be told to fail.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/corlmr.h"

class CScriptedHost : public CCorLmr {
 public:
  // The reply for a command text, exactly as sent ("? Time.jd"); commands
  // not in the table get an empty text.
  void Reply(const std::string& command, const std::string& reply) { m_replies[command] = reply; }
  // The Nth call from now (1 = the next) throws CHostError.
  void FailOnCall(int n) { m_failAt = m_calls + n; }

  // Sees each command as it arrives, before the pad re-reads anything.
  std::function<void(const std::string&)> onCommand;

  std::string Execute(const char* command) override {
    if (onCommand) onCommand(command);
    ++m_calls;
    m_sent.emplace_back(command);
    if (m_failAt == m_calls) throw CHostError("scripted host failure");
    auto it = m_replies.find(command);
    return it == m_replies.end() ? std::string() : it->second;
  }

  const std::vector<std::string>& Sent() const { return m_sent; }
  void ClearSent() { m_sent.clear(); }
  int Calls() const { return m_calls; }

 private:
  std::map<std::string, std::string> m_replies;
  std::vector<std::string> m_sent;
  int m_calls = 0;
  int m_failAt = -1;
};
