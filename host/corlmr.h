// The host's sky-chart control as the pad sees it: one command text in,
// one reply text out.
#pragma once

#include <stdexcept>
#include <string>

// A host that cannot carry out a call (gone, refused, timed out) throws
// this from Execute.  The pad never catches it: the operation that made the
// call is abandoned, and the window layer stops it at the message's edge.
class CHostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CCorLmr {
 public:
  virtual ~CCorLmr() = default;
  // Carries out every statement of `command` (UTF-8) and returns the reply.
  // Synchronous: when it returns, the control's state reflects the command.
  virtual std::string Execute(const char* command) = 0;
};

// The notification the pad sends to the application's main window after a
// change: wParam 0, lParam points to "DATE" or "OBS".
constexpr unsigned WM_PADCHANGED_VALUE = 0x722;
