// `lumira --script`: a recorded session run against a fresh pad and engine,
// off-screen, on a virtual clock, with every seam answered by the script.
//
// The host starts in Japan standard time (time-system variable 0, zone
// 9.0) with animation mode 0; the bar is created and painted once before
// the first line runs, and from then on the host refreshes the pad only
// for `update` lines.  What happens is printed one event a line:
//   > TEXT   a command the pad (or one of its dialogs) sent the engine
//   < REPLY  its reply
//   ! TEXT   a message box;  ? TEXT  a question
//   @ DATE / @ OBS   a change notice (WM_PADCHANGED)
// and `show` prints the displays (see DescribePad).
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "app/script.h"
#include "app/script_services.h"
#include "framework/resources.h"
#include "framework/virtual_clock.h"
#include "sky/engine.h"

class CLumiraPad;
class CDialog;

namespace lumira {

class PlanetariumWindow;

class ScriptRunner {
 public:
  explicit ScriptRunner(ScriptOutput out);
  ~ScriptRunner();
  ScriptRunner(const ScriptRunner&) = delete;
  ScriptRunner& operator=(const ScriptRunner&) = delete;

  // Before Setup: the pad, the host lines and the window talk to `remote`
  // (a running Stellarium, whose mirror is Engine()) instead of the
  // engine.  It must outlive the runner.
  void SetRemote(CCorLmr* remote) { m_remote = remote; }

  // Builds the window with the pad and paints it once.  False with the
  // reason when the pad's resources or the bar cannot be had.
  bool Setup(QString* error);

  // Runs the lines in order.  A line that cannot be carried out (a menu
  // choice with no menu open, a control the dialog lacks...) stops the
  // run: false, with its line number in `*error`.
  bool Run(const std::vector<ScriptLine>& lines, ScriptError* error);

  // The pad's displays, as `show` prints them.
  void PrintDisplays();

  PlanetariumWindow& Window() { return *m_window; }
  CLumiraPad* Pad() const;
  CSkyEngine& Engine() { return m_engine; }

 private:
  bool RunLine(const ScriptLine& line);
  // `speed`: opens the pad's speed menu and prints its text and IsPlaying.
  void RunSpeedLine(CLumiraPad& pad);
  bool RunMouse(const ScriptLine& line);
  bool RunWheel(const ScriptLine& line);
  bool RunMove(const ScriptLine& line);
  bool RunDialog(const ScriptLine& line);
  bool RunKey(const ScriptLine& line);
  // `choose`: triggers the window's menu entry, or prints that it is off.
  bool RunChoose(const ScriptLine& line);
  // The dialog lines that follow the line just run, for the dialog it
  // may open.
  std::vector<ScriptLine> TakeDialogLines();
  void RunDialogSteps(CDialog& dialog, const std::vector<ScriptLine>& steps);
  bool RunDialogStep(CDialog& dialog, const ScriptLine& step);
  int AnswerMenu(const std::vector<QString>& texts);

  // Delivers one message to the pad as its message pump would, then the
  // messages it posted to itself.
  void Deliver(UINT msg, WPARAM wp, LPARAM lp);
  // Brings the pointer to `point` (a move message) unless it is there.
  void PointerTo(CPoint point);
  UINT KeyFlags() const;
  bool Fail(int lineNumber, const QString& message);
  void Print(const QString& line);

  ScriptOutput m_out;
  CResources m_resources;
  CSkyEngine m_engine;
  CCorLmr* m_remote = nullptr;
  CVirtualClock m_clock;
  CReplayPrompt m_prompt;
  CReplayKeyboard m_keyboard;
  CReplayPopup m_popup;
  CReplayModalRunner m_modal;
  std::unique_ptr<CReplyOverrides> m_overrides;  // after the first `reply` line; outlives the window
  CAppContext m_ctx;
  std::unique_ptr<PlanetariumWindow> m_window;

  const std::vector<ScriptLine>* m_lines = nullptr;
  size_t m_next = 0;              // the next line to run
  std::optional<ScriptError> m_error;
  bool m_recording = false;       // printing starts with the first line
  std::optional<CPoint> m_pointer;
  UINT m_buttons = 0;             // MK_ flags of the buttons held
  std::vector<unsigned> m_keysDown;  // keys held by `keydown`
};

// Renders a window off-screen and writes it as PNG.
bool SaveScreenshot(QWidget& window, const QString& file, QString* error);

}  // namespace lumira
