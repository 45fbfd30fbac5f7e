// The planetarium's main window: the pad docked at the top, the sky chart
// in the middle with a console for the engine's command language under
// it, the engine's state and a log of what the pad asked in a dock beside
// it, and menus for what a planetarium
// host does around the pad (animation, view marks, colour scheme,
// catalogue).
//
// The window is built on a CAppContext handed in by its caller: Qt
// services when a user runs it, scripted ones for replays and tests.
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/host_frame.h"
#include "app/language.h"
#include "app/logging_host.h"
#include "app/place_search.h"

class CSkyEngine;
class CResources;
class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace chart {
class CSkyChartWidget;
}

namespace lumira {

class StateView;

class PlanetariumWindow : public QMainWindow {
 public:
  // `engine` and `ctx` must outlive the window.  The window makes its
  // frame the context's main window.  With `remote` (a running
  // Stellarium, which must outlive the window too) the pad, the menus and
  // the console talk to it, and `engine` is its mirror, which the window
  // reads for its state view and menus.
  PlanetariumWindow(CAppContext& ctx, CSkyEngine& engine, const CResources& resources,
                    CCorLmr* remote = nullptr, QWidget* parent = nullptr);
  ~PlanetariumWindow() override;

  // Builds the pad and docks it at the top.  False with `*error` when the
  // bar cannot be created.
  bool CreatePad(QString* error);

  // What an interactive start adds: the engine at the current system
  // time, the place and window layout from the settings, animation in
  // real time.
  void RestoreSession();
  // Remembers the place, the window's geometry and the bar's dock.
  void SaveSession() const;
  // Whether the window runs the engine's animation from its timer (not in
  // replays, where the time moves only by commands).
  void SetDrivesAnimation(bool on);
  // Whether closing the window saves the session (interactive runs).
  void SetRemembersSession(bool on) { m_remembers = on; }
  // Whether a command that asks the chart to be shown (" ; show lumiral")
  // also refreshes the pad, once the event loop is back (interactive
  // runs; replays refresh the pad only on their `update` lines).
  void SetRefreshesPadOnShow(bool on) { m_refreshesPadOnShow = on; }

  CPadHostFrame& Frame() { return *m_frame; }
  CLumiraPad* Pad() const { return m_frame->Pad(); }
  CLoggingHost& PadHost() { return m_padHost; }
  StateView& State() { return *m_state; }
  chart::CSkyChartWidget& Chart() { return *m_chart; }

  // Also reached through the menus and the console line.
  void RunConsoleCommand(const QString& command);
  void SetColorScheme(int scheme);
  // View > Language: the pad, its menus, dialogs and messages in that
  // language from now on, and at the next start.
  void SetLanguage(Language language);
  // Draws the pad at a size in percent and remembers it; 0 follows the screen.
  void SetBarSize(int percent);
  // "Accept input": off, the pad's digits, its buttons and the dialogs'
  // menu entries take nothing, and the status bar says so.
  void SetAcceptsInput(bool on);
  // Floats the bar in a window of its own (its caption shows) or docks it
  // again at the top.
  void SetPadFloating(bool floating);
  void SetTrack(bool on);
  void SetTrace(bool on);
  void SetCatalog(const QString& name);
  void SetCatalogSwitch(bool on);
  void SetAnimationMode(int mode);  // 0 continuous, 1 step, 2 real time
  void StartAnimation();
  void StopAnimation();
  // After anything that may have changed the engine's state: the state
  // view, the menus' marks and the animation timer follow it.  Queries
  // only; the pad is not touched.
  void RefreshFromEngine();
  // One animation tick of `seconds` of real time (the timer calls it).
  void AnimationTick(double seconds);
  bool AnimationRunning() const { return m_animationTimer.isActive(); }
  void SetTimeToNow();
  // "Now" (Time menu, toolbar, Ctrl+N): the engine at the clock's time,
  // after the time-lock question when the time is locked; a running
  // animation goes on from there at its rate.
  void JumpToNow();
  // Where "now" comes from (the system clock unless a test fixes it).
  void SetClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
  // The time speed's text as the toolbar shows it (tests).
  QString SpeedLabelText() const;
  // "Choose a place…": the place dialog, then GoToPlace with its choice.
  void ChoosePlace();
  // The pad takes `place` as its location dialog's OK takes one (the zone
  // follows), and the place goes first among the recently chosen.
  void GoToPlace(const qelobs::ZonePlace& place);
  const PlaceList& Places() const { return m_places; }

  // The log's lines, oldest first (tests).
  QStringList LogLines() const;
  QString LastConsoleReply() const;
  QAction* DateAction() const { return m_dateAction; }
  QAction* ObsAction() const { return m_obsAction; }
  QAction* AnimateAction() const { return m_animateAction; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  // Builds the pad again where it was (after a setting it reads once).
  void RebuildPad();
  void BuildCentre(const CResources& resources);
  void Log(const QString& line);
  // Runs a host command of this window's own on the engine, logged.
  std::string HostCommand(const std::string& command);
  // Runs a command on the engine or the remote host; a remote host that
  // cannot be reached gives an error reply here.
  std::string Run(std::string_view command);
  // Refreshes the pad; a failing host abandons only the refresh.
  void UpdatePad(UINT flags);
  // Refreshes once the current command and handler are done; several
  // requests before then make one refresh.  `pad`: the pad re-reads
  // everything too.
  void ScheduleRefresh(bool pad);
  void SyncAnimationTimer();
  void SyncMenus();
  // The toolbar with the time speed and "Now".
  void BuildTimeToolBar();
  // The speed text now, in a place the widest one fits.
  void FitSpeedLabel();
  // True when the time is not locked, or the user lets it go (question
  // `questionId` of the string table).
  bool AskToUnlockTime(UINT questionId, const char* fallback);

  CAppContext& m_ctx;
  CSkyEngine& m_engine;
  CCorLmr* m_remote;
  CLoggingHost m_padHost;
  const CResources& m_resources;
  const PlaceList m_places;  // every place of the zone table, by name
  std::unique_ptr<CPadHostFrame> m_frame;

  chart::CSkyChartWidget* m_chart = nullptr;
  QDockWidget* m_stateDock = nullptr;
  StateView* m_state = nullptr;
  QPlainTextEdit* m_log = nullptr;
  QLineEdit* m_console = nullptr;
  QLabel* m_consoleReply = nullptr;
  QLabel* m_inputOff = nullptr;

  QAction* m_dateAction = nullptr;
  QAction* m_obsAction = nullptr;
  QAction* m_placeAction = nullptr;
  QAction* m_enableAction = nullptr;
  QAction* m_lockAction = nullptr;
  QAction* m_animateAction = nullptr;
  QActionGroup* m_modeGroup = nullptr;
  QAction* m_trackAction = nullptr;
  QAction* m_traceAction = nullptr;
  QAction* m_floatAction = nullptr;
  QActionGroup* m_schemeGroup = nullptr;
  QActionGroup* m_languageGroup = nullptr;
  QActionGroup* m_catalogGroup = nullptr;
  QAction* m_switchAction = nullptr;
  QActionGroup* m_switchCatalogGroup = nullptr;

  QLabel* m_speedLabel = nullptr;
  std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTimeUtc(); };

  QTimer m_animationTimer;
  QElapsedTimer m_sinceTick;
  bool m_refreshPending = false;
  bool m_padRefreshPending = false;
  unsigned m_padRefreshesAtRequest = 0;  // the pad's refresh count at the last request
  bool m_refreshQueued = false;
  bool m_refreshesPadOnShow = true;
  bool m_remembers = false;
  bool m_drivesAnimation = true;
  int m_chartListener = 0;
};

}  // namespace lumira
