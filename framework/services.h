// The seams between the window layer and the world: timers, message boxes,
// modal dialogs, the keyboard, the status bar and the main window.
//
// The original platform kept these in process-wide globals.  Here a
// CAppContext holds them and is handed to every top-level window's
// constructor, so that a test or a replay can put a virtual clock and a
// scripted prompt behind the same code that runs interactively.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "framework/wintypes.h"

class CWnd;
class CDialog;
class CResources;

// Window timers by fixed id, with SetTimer/KillTimer semantics: a timer
// fires every `ms` until killed; setting an id that runs restarts it.
// Each firing is delivered as WM_TIMER(id) to the window.
class ITimerService {
 public:
  virtual ~ITimerService() = default;
  virtual UINT_PTR SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) = 0;
  virtual BOOL KillTimer(CWnd* wnd, UINT_PTR id) = 0;
  // Forget every timer of a window that is going away.
  virtual void KillAllTimers(CWnd* wnd) = 0;
};

// Message boxes: returns IDOK, IDYES or IDNO.
class IPrompt {
 public:
  virtual ~IPrompt() = default;
  virtual int MessageBox(const QString& text, UINT type) = 0;
};

// Runs a dialog modally and returns its end code (IDOK, IDCANCEL...).
// The dialog's window exists and OnInitDialog has run when the runner
// takes over; the runner returns when EndDialog has been called.
class IModalRunner {
 public:
  virtual ~IModalRunner() = default;
  virtual int RunModal(CDialog& dialog) = 0;
};

// Keys the pad reads outside of a mouse message (the repeat tick reads
// Shift at the moment it fires).
class IKeyboardState {
 public:
  virtual ~IKeyboardState() = default;
  virtual bool IsShiftDown() const = 0;
};

// Popup menus: shows the texts at a screen point and returns the index of
// the chosen entry, or -1 when the menu was dismissed.
class IPopupChooser {
 public:
  virtual ~IPopupChooser() = default;
  virtual int Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) = 0;
};

// Where fly-by help texts go (the status bar of the host frame).
class IStatusSink {
 public:
  virtual ~IStatusSink() = default;
  virtual void SetMessageText(const QString& text) = 0;
};

// Everything a window of this layer may need beyond itself.  Not owned:
// whoever builds the context keeps the services alive longer than the
// windows that use it.
struct CAppContext {
  ITimerService* timers = nullptr;
  IPrompt* prompt = nullptr;
  IModalRunner* modal = nullptr;
  IKeyboardState* keyboard = nullptr;
  IPopupChooser* popup = nullptr;
  IStatusSink* status = nullptr;  // may stay null: fly-by texts are dropped
  CWnd* mainWnd = nullptr;        // the application's main window
  const CResources* resources = nullptr;
};
