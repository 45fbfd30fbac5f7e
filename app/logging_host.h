// The host control as the pad is given it: every command goes on to the
// engine, and the command with its reply is told to whoever listens (the
// application's log, the replay's output, the animation watch).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/corlmr.h"

namespace lumira {

struct HostExchange {
  std::string command;
  std::string reply;   // empty when the call failed
  bool failed = false;
  std::string error;   // what the failure said
};

class CLoggingHost : public CCorLmr {
 public:
  using Listener = std::function<void(const HostExchange&)>;

  explicit CLoggingHost(CCorLmr& engine) : m_engine(engine) {}

  // Listeners are told in the order they were added.
  void AddListener(Listener listener) { m_listeners.push_back(std::move(listener)); }

  // Forwards to the engine.  A failure is told to the listeners and then
  // passed on unchanged, so that the pad's operation is abandoned as it
  // would be without the recorder.
  std::string Execute(const char* command) override;

  CCorLmr& Engine() const { return m_engine; }

 private:
  void Tell(const HostExchange& exchange) const;

  CCorLmr& m_engine;
  std::vector<Listener> m_listeners;
};

}  // namespace lumira
