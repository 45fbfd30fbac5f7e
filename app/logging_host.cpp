#include "app/logging_host.h"

namespace lumira {

std::string CLoggingHost::Execute(const char* command) {
  HostExchange exchange;
  exchange.command = command ? command : "";
  try {
    exchange.reply = m_engine.Execute(exchange.command.c_str());
  } catch (const CHostError& e) {
    exchange.failed = true;
    exchange.error = e.what();
    Tell(exchange);
    throw;
  }
  Tell(exchange);
  return exchange.reply;
}

void CLoggingHost::Tell(const HostExchange& exchange) const {
  // A copy: a listener may add another listener while being told.
  const std::vector<Listener> listeners = m_listeners;
  for (const Listener& listener : listeners) listener(exchange);
}

}  // namespace lumira
