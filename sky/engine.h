// The embedded sky-chart engine: the command language of the host
// control, carried out directly in the calling thread.
//
// The engine keeps no widgets and no clock of its own.  A host shows the
// chart when a command asks for it ("Show Lumiral" reaches the chart
// listeners), drives the time animation by calling Tick from its own
// timer, and may watch every command and reply through the command
// observer.  Another host (a remote planetarium) can stand behind the same
// CCorLmr interface: the pad sees only Execute.
//
// Not thread-safe: every call comes from the host's user-interface thread.
// Listeners may call Execute again (the engine is between statements
// then), but must not destroy the engine.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/corlmr.h"
#include "sky/sky_state.h"

namespace sky {
class StarCatalogue;
}

class CSkyEngine : public CCorLmr {
 public:
  // Commands longer than this are refused unread.
  static constexpr size_t kMaxCommandBytes = 64 * 1024;

  CSkyEngine() = default;

  // Carries out every statement in order and returns the answers of the
  // queries joined by ";" (an empty text when there are none).  When a
  // statement fails, the reply is only "ERROR: ..." naming it; the
  // statements before it stay done, it and the rest are not carried out.
  // Throws nothing of its own (a listener's exception passes through).
  std::string Execute(const char* command) override;
  // The same for a text that carries its length; a NUL inside it is
  // refused rather than silently ending the command.
  std::string Execute(std::string_view command);

  // "Show Lumiral" ran: the chart should be brought up to date.  Called
  // once after the command that asked for it, with the new state in place.
  int AddChartListener(std::function<void()> listener);
  // The animation moved the time (after Tick).
  int AddTickListener(std::function<void()> listener);
  void RemoveListener(int id);

  // Sees every command and its reply, after the command has run.
  void SetCommandObserver(std::function<void(std::string_view command, std::string_view reply)> observer);

  // Advances the animated time by one timer tick of `elapsedSeconds` of
  // real time; returns whether the time moved.  Nothing moves unless
  // Animation.Time is TRUE and Time.Lock FALSE.  With
  // Animation.Time.Realtime TRUE the time moves by the elapsed time;
  // otherwise with Animation.Time.Speed.Step TRUE by Animation.Time.Speed
  // seconds per tick, and with it FALSE by Animation.Time.Speed times the
  // elapsed time.  At an end of the supported range the time stops there
  // and the animation ends.
  bool Tick(double elapsedSeconds);
  bool IsAnimating() const { return m_state.animation; }

  // The catalogue that "HR n" in a position query looks in (none by
  // default: then only the Sun, the Moon and the planets are known).
  void SetStarCatalogue(std::shared_ptr<const sky::StarCatalogue> stars) { m_stars = std::move(stars); }

  // Direct read access for the host's own drawing.
  const sky::SkyState& State() const { return m_state; }
  // Back to the documented default state (listeners stay).
  void Reset() { m_state = sky::SkyState{}; }
  // Replaces the whole state, telling no listener: for a host that keeps
  // this engine as the mirror of another planetarium's state.
  void SetState(const sky::SkyState& state) { m_state = state; }

 private:
  struct Listener {
    int id;
    bool chart;  // chart listener, else tick listener
    std::function<void()> call;
  };

  std::string Run(std::string_view command, bool* showRequested);
  void Notify(bool chart);

  sky::SkyState m_state;
  std::shared_ptr<const sky::StarCatalogue> m_stars;
  std::vector<Listener> m_listeners;
  int m_nextListenerId = 1;
  std::function<void(std::string_view, std::string_view)> m_observer;
};
