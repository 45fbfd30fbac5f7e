#include "sky/engine.h"

#include <cmath>
#include <cstring>
#include <exception>

#include "sky/properties.h"
#include "sky/statement.h"
#include "sky/text.h"

namespace {

std::string Failure(size_t number, std::string_view statement, const std::string& why) {
  return "ERROR: statement " + std::to_string(number) + " \"" +
         sky::Excerpt(sky::TrimBlanks(statement), 60) + "\": " + why;
}

}  // namespace

std::string CSkyEngine::Execute(const char* command) {
  if (command == nullptr) return "ERROR: no command";
  // Look no further than one byte past the limit: a longer text is
  // refused anyway.
  return Execute(std::string_view(command, strnlen(command, kMaxCommandBytes + 1)));
}

std::string CSkyEngine::Execute(std::string_view command) {
  bool showRequested = false;
  std::string reply;
  try {
    reply = Run(command, &showRequested);
  } catch (const std::exception& e) {  // only an allocation can fail here
    reply = std::string("ERROR: ") + e.what();
  }
  if (m_observer) m_observer(command, reply);
  if (showRequested) Notify(true);
  return reply;
}

std::string CSkyEngine::Run(std::string_view command, bool* showRequested) {
  if (command.size() > kMaxCommandBytes) {
    return "ERROR: the command is longer than " + std::to_string(kMaxCommandBytes) + " bytes";
  }
  if (const size_t nul = command.find('\0'); nul != std::string_view::npos) {
    return "ERROR: the command holds a NUL character at byte " + std::to_string(nul);
  }
  if (const size_t bad = sky::FindInvalidUtf8(command); bad != std::string_view::npos) {
    return "ERROR: the command is not valid UTF-8 (byte " + std::to_string(bad) + ")";
  }

  std::string reply;
  bool answered = false;
  size_t number = 0;
  for (size_t pos = 0;;) {
    const size_t end = sky::StatementEnd(command, pos);
    const std::string_view text = command.substr(pos, end - pos);
    ++number;

    sky::Statement statement;
    std::string error;
    if (!sky::ParseStatement(text, &statement, &error)) return Failure(number, text, error);
    switch (statement.kind) {
      case sky::StatementKind::Empty:
        break;
      case sky::StatementKind::Query:
        if (answered) reply += ';';
        if (!sky::AnswerQuery(m_state, statement, m_stars.get(), reply, &error)) {
          // An object that is not there is the whole reply, as it is named.
          return "ERROR: " + error;
        }
        answered = true;
        break;
      case sky::StatementKind::Assign:
        if (!sky::Assign(m_state, statement, &error)) return Failure(number, text, error);
        break;
      case sky::StatementKind::Show:
        *showRequested = true;
        break;
      case sky::StatementKind::Stop:
        m_state.animation = false;
        break;
    }
    if (end >= command.size()) break;
    pos = end + 1;
  }
  return reply;
}

int CSkyEngine::AddChartListener(std::function<void()> listener) {
  m_listeners.push_back({m_nextListenerId, true, std::move(listener)});
  return m_nextListenerId++;
}

int CSkyEngine::AddTickListener(std::function<void()> listener) {
  m_listeners.push_back({m_nextListenerId, false, std::move(listener)});
  return m_nextListenerId++;
}

void CSkyEngine::RemoveListener(int id) {
  std::erase_if(m_listeners, [id](const Listener& l) { return l.id == id; });
}

void CSkyEngine::SetCommandObserver(
    std::function<void(std::string_view command, std::string_view reply)> observer) {
  m_observer = std::move(observer);
}

void CSkyEngine::Notify(bool chart) {
  // A listener may add or remove listeners: call a snapshot.
  std::vector<std::function<void()>> calls;
  for (const Listener& l : m_listeners) {
    if (l.chart == chart && l.call) calls.push_back(l.call);
  }
  for (const auto& call : calls) call();
}

bool CSkyEngine::Tick(double elapsedSeconds) {
  if (!m_state.animation || m_state.timeLock) return false;
  if (!std::isfinite(elapsedSeconds) || elapsedSeconds < 0.0) return false;
  double delta = elapsedSeconds;
  if (!m_state.realtime) delta = m_state.speedStep ? m_state.speed : elapsedSeconds * m_state.speed;
  if (delta == 0.0 || !std::isfinite(delta)) return false;

  sky::Instant next = sky::Shifted(m_state.time, delta);
  if (next < sky::RangeStart() || sky::RangeEnd() < next) {
    next = next < sky::RangeStart() ? sky::RangeStart() : sky::RangeEnd();
    m_state.animation = false;
  }
  if (next == m_state.time) return false;
  m_state.time = next;
  Notify(false);
  return true;
}
