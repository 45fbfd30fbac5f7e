#include "app/planetarium_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDockWidget>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/app_settings.h"
#include "app/dock_placement.h"
#include "app/engine_watch.h"
#include "app/language.h"
#include "app/log_follow.h"
#include "app/pad_readout.h"
#include "app/place_dialog.h"
#include "app/session_settings.h"
#include "app/state_view.h"
#include "pad/time_systems.h"
#include "chart/sky_chart_widget.h"
#include "framework/resources.h"
#include "host/registry.h"
#include "qelobs/places.h"
#include "sky/engine.h"
#include "sky/sky_files.h"

namespace lumira {
namespace {

constexpr int kTickMs = 33;  // about 30 animation ticks a second
constexpr int kLogLines = 5000;
constexpr UINT kAnimationLockQuestion = 6100;
constexpr UINT kTimeChangeLockQuestion = 6101;

QString FromStd(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

PlanetariumWindow::PlanetariumWindow(CAppContext& ctx, CSkyEngine& engine, const CResources& resources,
                                     CCorLmr* remote, QWidget* parent)
    : QMainWindow(parent),
      m_ctx(ctx),
      m_engine(engine),
      m_remote(remote),
      m_padHost(remote ? *remote : static_cast<CCorLmr&>(engine)),
      m_resources(resources),
      m_places(qelobs::PlacesByName()) {
  setWindowTitle("Lumira planetarium");
  m_frame = std::make_unique<CPadHostFrame>(ctx, this, m_padHost);
  m_ctx.mainWnd = m_frame.get();

  BuildCentre(resources);
  BuildMenus();
  BuildTimeToolBar();
  m_inputOff = new QLabel("Input is off: the pad takes no changes (Pad > Accept input)", this);
  m_inputOff->setObjectName("inputOff");
  m_inputOff->hide();
  statusBar()->addPermanentWidget(m_inputOff);

  // Every command the pad sends, with its reply.
  m_padHost.AddListener([this](const HostExchange& x) {
    Log("> " + FromStd(x.command));
    Log(x.failed ? "<! " + FromStd(x.error) : "< " + FromStd(x.reply));
    // A time-system choice from the pad's own menu sends no change notice.
    m_frame->RefreshButtons();
  });
  m_frame->onPadChanged = [this](const QString& what) {
    Log("@ " + what);
    RefreshFromEngine();
  };
  m_frame->onButtonsChanged = [this](bool date, bool obs) {
    m_dateAction->setEnabled(date);
    m_obsAction->setEnabled(obs);
    m_placeAction->setEnabled(obs);
  };

  // Whoever changed the engine (the pad, the console, this window), the
  // animation timer runs exactly while the engine animates, and the state
  // view and the menus' marks follow once the change is done.
  m_engine.SetCommandObserver([this](std::string_view command, std::string_view) {
    SyncAnimationTimer();
    if (CommandMayChangeState(command)) ScheduleRefresh(false);
  });
  // A command that asks for the chart (the pad's " ; show lumiral") gets
  // the pad refreshed after it: the pad does not always refresh itself.
  m_chartListener = m_engine.AddChartListener([this] { ScheduleRefresh(true); });

  m_animationTimer.setInterval(kTickMs);
  connect(&m_animationTimer, &QTimer::timeout, this, [this] {
    const double seconds = m_sinceTick.isValid() ? m_sinceTick.restart() / 1000.0 : kTickMs / 1000.0;
    AnimationTick(seconds);
  });
}

PlanetariumWindow::~PlanetariumWindow() {
  m_animationTimer.stop();
  m_engine.SetCommandObserver(nullptr);
  m_engine.RemoveListener(m_chartListener);
  m_frame->DestroyPad();
  if (m_ctx.mainWnd == m_frame.get()) m_ctx.mainWnd = nullptr;
}

void PlanetariumWindow::BuildCentre(const CResources& resources) {
  // The sky chart in the middle, the console line under it.
  sky::SkyFiles files = sky::LoadSkyFiles(sky::SkyDataDirectory());
  m_engine.SetStarCatalogue(std::make_shared<const sky::StarCatalogue>(files.catalogue));
  auto* centre = new QWidget(this);
  auto* column = new QVBoxLayout(centre);
  column->setContentsMargins(0, 0, 0, 4);
  m_chart = new chart::CSkyChartWidget(m_engine, std::move(files), centre);
  column->addWidget(m_chart, 1);
  column->addWidget(new QLabel("Engine command (for example  ? Time.jd  or  ? Sky.Altitude(Moon)):", centre));
  m_console = new QLineEdit(centre);
  m_console->setObjectName("console");
  m_console->setPlaceholderText("? JST(Time)");
  column->addWidget(m_console);
  m_consoleReply = new QLabel(centre);
  m_consoleReply->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_consoleReply->setObjectName("consoleReply");
  column->addWidget(m_consoleReply);
  connect(m_console, &QLineEdit::returnPressed, this, [this] {
    const QString command = m_console->text();
    if (command.trimmed().isEmpty()) return;
    RunConsoleCommand(command);
    m_console->clear();
  });
  setCentralWidget(centre);

  // The engine's state and the log in a dock a user can hide.
  m_stateDock = new QDockWidget("Engine state and log", this);
  m_stateDock->setObjectName("stateDock");
  auto* tabs = new QTabWidget(m_stateDock);
  m_state = new StateView(resources.Bitmap("6233"), tabs);
  auto* logPane = new QWidget(tabs);
  auto* logColumn = new QVBoxLayout(logPane);
  logColumn->setContentsMargins(4, 4, 4, 4);
  logColumn->addWidget(new QLabel("What the pad asked the engine, and its change notices:", logPane));
  m_log = new QPlainTextEdit(logPane);
  m_log->setReadOnly(true);
  m_log->setMaximumBlockCount(kLogLines);
  m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_log->setObjectName("padLog");
  FollowNewLines(m_log);
  logColumn->addWidget(m_log, 1);
  tabs->addTab(m_state, "State");
  tabs->addTab(logPane, "Log");
  m_stateDock->setWidget(tabs);
  addDockWidget(Qt::RightDockWidgetArea, m_stateDock);
}

void PlanetariumWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  QAction* quit = file->addAction("&Quit", this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);

  QMenu* pad = menuBar()->addMenu("&Pad");
  m_dateAction = pad->addAction("&Date and time...", this, [this] { m_frame->ChangeDate(); });
  m_dateAction->setShortcut(QKeySequence("Ctrl+D"));
  m_obsAction = pad->addAction("&Location...", this, [this] { m_frame->ChangeObs(); });
  m_obsAction->setShortcut(QKeySequence("Ctrl+L"));
  m_placeAction = pad->addAction("Choose a &place…", this, [this] { ChoosePlace(); });
  m_placeAction->setShortcut(QKeySequence("Ctrl+Shift+L"));
  pad->addSeparator();
  m_enableAction = pad->addAction("&Accept input");
  m_enableAction->setCheckable(true);
  m_enableAction->setChecked(true);
  connect(m_enableAction, &QAction::toggled, this, [this](bool on) { SetAcceptsInput(on); });

  QMenu* time = menuBar()->addMenu("&Time");
  time->addAction("&Now", this, [this] { JumpToNow(); })->setShortcut(QKeySequence("Ctrl+N"));
  m_lockAction = time->addAction("&Lock the time");
  m_lockAction->setCheckable(true);
  connect(m_lockAction, &QAction::triggered, this, [this](bool on) {
    HostCommand(on ? "Time.Lock = TRUE; Show Lumiral" : "Time.Lock = FALSE; Show Lumiral");
    RefreshFromEngine();
  });
  time->addSeparator();
  m_animateAction = time->addAction("&Animate");
  m_animateAction->setCheckable(true);
  m_animateAction->setShortcut(QKeySequence("Ctrl+P"));
  connect(m_animateAction, &QAction::triggered, this, [this](bool on) { on ? StartAnimation() : StopAnimation(); });
  QMenu* mode = time->addMenu("Animation &mode");
  m_modeGroup = new QActionGroup(this);
  const std::pair<int, const char*> modes[] = {{CLumiraPad::kContinuous, "&Continuous (speed times real time)"},
                                               {CLumiraPad::kStep, "&Step (speed per tick)"},
                                               {CLumiraPad::kRealTime, "&Real time"}};
  for (const auto& entry : modes) {
    const int m = entry.first;  // a plain copy: clang does not capture structured bindings
    QAction* a = mode->addAction(entry.second);
    a->setCheckable(true);
    a->setData(m);
    m_modeGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, m] { SetAnimationMode(m); });
  }

  QMenu* view = menuBar()->addMenu("&View");
  view->addAction(m_chart->ResetViewAction());
  view->addAction(m_chart->GridAction());
  view->addAction(m_stateDock->toggleViewAction());
  view->addSeparator();
  m_trackAction = view->addAction("T&rack");
  m_trackAction->setCheckable(true);
  m_trackAction->setShortcut(QKeySequence("Ctrl+T"));
  connect(m_trackAction, &QAction::triggered, this, [this](bool on) { SetTrack(on); });
  m_traceAction = view->addAction("Tra&ce");
  m_traceAction->setCheckable(true);
  m_traceAction->setShortcut(QKeySequence("Ctrl+R"));
  connect(m_traceAction, &QAction::triggered, this, [this](bool on) { SetTrace(on); });
  view->addSeparator();
  m_floatAction = view->addAction("&Float the pad");
  m_floatAction->setCheckable(true);
  connect(m_floatAction, &QAction::triggered, this, [this](bool on) { SetPadFloating(on); });
  QMenu* scheme = view->addMenu("Pad &colours");
  m_schemeGroup = new QActionGroup(this);
  const char* schemeNames[] = {"&Dark (the pad's own)", "&System colours"};
  int current = 0;
  CRegistry::Read("General", "ColorScheme", 0, &current, 1);
  m_chart->SetScheme(current != 0 ? chart::ChartScheme::Print : chart::ChartScheme::Night);
  for (int s = 0; s < 2; ++s) {
    QAction* a = scheme->addAction(schemeNames[s]);
    a->setCheckable(true);
    a->setChecked((current != 0) == (s != 0));
    m_schemeGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, s] { SetColorScheme(s); });
  }
  QMenu* language = view->addMenu("&Language");
  m_languageGroup = new QActionGroup(this);
  int languageCount = 0;
  const LanguageInfo* languages = Languages(&languageCount);
  for (int i = 0; i < languageCount; ++i) {
    const Language choice = languages[i].language;
    QAction* a = language->addAction(QString::fromUtf8(languages[i].name));
    a->setCheckable(true);
    a->setChecked(choice == CurrentLanguage(*QCoreApplication::instance()));
    a->setData(int(choice));
    m_languageGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, choice] { SetLanguage(choice); });
  }
  QMenu* barSize = view->addMenu("Bar &size");
  auto* barSizes = new QActionGroup(this);
  std::unique_ptr<QSettings> sizeSettings(NewAppSettings());
  const int chosenSize = ChosenBarSize(*sizeSettings);
  auto addSize = [&](const QString& text, int percent) {
    QAction* a = barSize->addAction(text);
    a->setCheckable(true);
    a->setChecked(percent == chosenSize);
    barSizes->addAction(a);
    connect(a, &QAction::triggered, this, [this, percent] { SetBarSize(percent); });
  };
  addSize("The &screen's own", 0);
  for (const int percent : kBarSizes) addSize(QString("&%1 %").arg(percent), percent);

  QMenu* catalog = menuBar()->addMenu("&Catalogue");
  m_catalogGroup = new QActionGroup(this);
  for (const char* name : {"Hipparcos", "GSC-ACT", "Tycho2", "Tycho"}) {
    QAction* a = catalog->addAction(name);
    a->setCheckable(true);
    a->setData(QString(name));
    m_catalogGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, name] { SetCatalog(name); });
  }
  catalog->addSeparator();
  m_switchAction = catalog->addAction("S&witch catalogues for faint stars");
  m_switchAction->setCheckable(true);
  connect(m_switchAction, &QAction::triggered, this, [this](bool on) { SetCatalogSwitch(on); });
  QMenu* switchTo = catalog->addMenu("Switch &to");
  m_switchCatalogGroup = new QActionGroup(this);
  for (const char* name : {"GSC-ACT", "Tycho2", "Tycho"}) {
    QAction* a = switchTo->addAction(name);
    a->setCheckable(true);
    a->setData(QString(name));
    m_switchCatalogGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, name] {
      HostCommand(std::string("Star.Catalog.Switch.Catalog = ") + name);
      UpdatePad(CLumiraPad::kRefreshMagnitude);
      RefreshFromEngine();
    });
  }
}

bool PlanetariumWindow::CreatePad(QString* error) {
  if (!m_frame->CreatePad(true, error)) return false;
  SetAcceptsInput(m_enableAction->isChecked());
  std::unique_ptr<QSettings> settings(NewAppSettings());
  Pad()->SetScalePercent(BarSizePercent(*settings, devicePixelRatioF()));
  if (QDockWidget* dock = Pad()->Dock()) {
    // Dragged out or back by the user, the menu's mark follows.
    connect(dock, &QDockWidget::topLevelChanged, this, [this](bool floating) {
      const QSignalBlocker block(m_floatAction);
      m_floatAction->setChecked(floating);
    });
    m_floatAction->setChecked(dock->isFloating());
  }
  RefreshFromEngine();
  return true;
}

void PlanetariumWindow::Log(const QString& line) {
  // One line each, whatever the engine put in a reply.
  QString text = line;
  text.replace('\n', "\\n");
  m_log->appendPlainText(text);
}

QStringList PlanetariumWindow::LogLines() const { return m_log->toPlainText().split('\n', Qt::SkipEmptyParts); }

QString PlanetariumWindow::LastConsoleReply() const { return m_consoleReply->text(); }

std::string PlanetariumWindow::HostCommand(const std::string& command) {
  Log("host> " + FromStd(command));
  const std::string reply = Run(command);
  Log("< " + FromStd(reply));
  return reply;
}

std::string PlanetariumWindow::Run(std::string_view command) {
  if (!m_remote) return m_engine.Execute(command);
  try {
    return m_remote->Execute(std::string(command).c_str());
  } catch (const CHostError& e) {
    return std::string("ERROR: ") + e.what();
  }
}

void PlanetariumWindow::UpdatePad(UINT flags) {
  if (!Pad()) return;
  try {
    Pad()->OnUpdate(flags);
  } catch (const CHostError&) {
    // The log has the failed exchange; the pad keeps what it showed.
  }
}

void PlanetariumWindow::RunConsoleCommand(const QString& command) {
  const QByteArray utf8 = command.toUtf8();
  Log("$ " + command);
  const std::string reply = Run(std::string_view(utf8.constData(), size_t(utf8.size())));
  Log("< " + FromStd(reply));
  m_consoleReply->setText(reply.empty() ? QString("(done)") : FromStd(reply));
  // The console may have changed anything: the pad re-reads all of it.
  UpdatePad(CLumiraPad::kRefreshAll);
  m_frame->RefreshButtons();
  RefreshFromEngine();
}

void PlanetariumWindow::SetColorScheme(int scheme) {
  CRegistry::Write("General", "ColorScheme", scheme);
  m_chart->SetScheme(scheme != 0 ? chart::ChartScheme::Print : chart::ChartScheme::Night);
  Log(QString("(pad colours: scheme %1; the pad is rebuilt)").arg(scheme));
  // The pad reads its scheme once, when it is constructed.
  RebuildPad();
}

void PlanetariumWindow::SetLanguage(Language language) {
  if (!InstallLanguage(*QCoreApplication::instance(), language)) {
    Log("(the translation could not be loaded)");
    return;
  }
  std::unique_ptr<QSettings> settings(NewAppSettings());
  RememberLanguage(*settings, language);
  for (QAction* a : m_languageGroup->actions()) a->setChecked(a->data().toInt() == int(language));
  Log(QString("(language: %1; the pad is rebuilt)").arg(CodeOf(language)));
  // The dialogs and the pad's menus read their texts each time they open;
  // the bar's tooltips, names and caption are set when it is built, so it
  // is built again.  (The host's own texts are English in either.)
  RebuildPad();
  SyncAnimationTimer();  // the pad's speed text in the new words
  FitSpeedLabel();
}

void PlanetariumWindow::RebuildPad() {
  // Where it was, as it was.
  const QByteArray layout = saveState();
  const int system = Pad() ? Pad()->GetTimeSys() : timesys::kJST;
  QString error;
  if (!CreatePad(&error)) {
    Log("(the pad could not be rebuilt: " + error + ")");
    return;
  }
  restoreState(layout);
  UpdatePad(CLumiraPad::kRefreshAll);  // a new pad shows its template's texts until it reads the engine
  // The host's variable tells only the zone the times are in: a pad that
  // showed UTD, JD, MJD or ST is told its system again.
  const timesys::Info* shown = timesys::Find(system);
  if (shown && Pad()->GetTimeSys() != system) {
    Pad()->SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(shown->key));
  }
  Pad()->Invalidate(FALSE);
}

void PlanetariumWindow::SetBarSize(int percent) {
  std::unique_ptr<QSettings> settings(NewAppSettings());
  RememberBarSize(*settings, percent);
  const int size = BarSizePercent(*settings, devicePixelRatioF());
  Log(QString("(pad size: %1 %)").arg(size));
  Pad()->SetScalePercent(size);
}

void PlanetariumWindow::SetAcceptsInput(bool on) {
  if (m_enableAction->isChecked() != on) {
    m_enableAction->setChecked(on);  // comes back here through the menu's signal
    return;
  }
  if (Pad() && (Pad()->GetEnable() != 0) != on) Pad()->SetEnable(on ? 1 : 0);
  // The pad has no disabled look of its own: its buttons grey, and the
  // status bar says why nothing steps.
  m_frame->RefreshButtons();
  m_inputOff->setVisible(!on);
}

void PlanetariumWindow::SetPadFloating(bool floating) {
  if (Pad()) m_frame->FloatControlBar(Pad(), floating);
}

void PlanetariumWindow::SetTrack(bool on) {
  HostCommand(on ? "View.Track = TRUE" : "View.Track = FALSE");
  UpdatePad(CLumiraPad::kRefreshTrack | CLumiraPad::kRefreshTrace);
  RefreshFromEngine();
}

void PlanetariumWindow::SetTrace(bool on) {
  HostCommand(on ? "View.Trace = TRUE" : "View.Trace = FALSE");
  UpdatePad(CLumiraPad::kRefreshTrack | CLumiraPad::kRefreshTrace);
  RefreshFromEngine();
}

void PlanetariumWindow::SetCatalog(const QString& name) {
  HostCommand("Star.Catalog = " + name.toStdString());
  // The magnitude ceiling follows the catalogue.
  UpdatePad(CLumiraPad::kRefreshMagnitude);
  RefreshFromEngine();
}

void PlanetariumWindow::SetCatalogSwitch(bool on) {
  HostCommand(on ? "Star.Catalog.Switch = TRUE" : "Star.Catalog.Switch = FALSE");
  UpdatePad(CLumiraPad::kRefreshMagnitude);
  RefreshFromEngine();
}

void PlanetariumWindow::SetAnimationMode(int mode) {
  m_frame->Variables().animation = mode;
  HostCommand(CLumiraPad::AnimationModeCommand(mode));
  RefreshFromEngine();
}

void PlanetariumWindow::StartAnimation() {
  // A locked time does not run: ask, as the pad asks before it changes a
  // locked time.
  if (!AskToUnlockTime(kAnimationLockQuestion, "\"時刻の固定(日時ダイアログ)\"を解除してアニメーションを開始します。")) {
    RefreshFromEngine();  // the Animate mark goes back off
    return;
  }
  HostCommand("Animation.Time = TRUE");
  RefreshFromEngine();
}

void PlanetariumWindow::StopAnimation() {
  HostCommand("Stop Lumiral");
  HostCommand("Animation.Time = FALSE");
  HostCommand(CLumiraPad::AnimationModeCommand(m_frame->Variables().animation));
  UpdatePad(CLumiraPad::kRefreshTime | CLumiraPad::kRefreshMagnitude);
  RefreshFromEngine();
}

void PlanetariumWindow::AnimationTick(double seconds) {
  if (m_engine.Tick(seconds)) UpdatePad(CLumiraPad::kRefreshTime);
  m_frame->RefreshButtons();
  m_state->Refresh(m_engine);
  SyncAnimationTimer();
}

bool PlanetariumWindow::AskToUnlockTime(UINT questionId, const char* fallback) {
  if (!m_engine.State().timeLock) return true;
  const QString question = m_resources.String(questionId).value_or(QString::fromUtf8(fallback));
  if (!m_ctx.prompt || m_ctx.prompt->MessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return false;
  HostCommand("Time.Lock = FALSE; Show Lumiral");
  return true;
}

void PlanetariumWindow::JumpToNow() {
  if (!AskToUnlockTime(kTimeChangeLockQuestion, "\"時刻の固定(日時ダイアログ)\"を解除して時間を変更します。")) {
    RefreshFromEngine();
    return;
  }
  SetTimeToNow();
}

void PlanetariumWindow::SetTimeToNow() {
  const QDateTime now = m_clock().toUTC();
  const QDate d = now.date();
  const QTime t = now.time();
  HostCommand(QString("Time = UT(%1,%2,%3,%4,%5,%6) ; Show Lumiral")
                  .arg(d.year()).arg(d.month()).arg(d.day())
                  .arg(t.hour()).arg(t.minute()).arg(t.second())
                  .toStdString());
  UpdatePad(CLumiraPad::kRefreshTime | CLumiraPad::kRefreshMagnitude);
  RefreshFromEngine();
}

void PlanetariumWindow::ChoosePlace() {
  if (!m_frame->ObsDialogAllowed()) return;
  std::unique_ptr<QSettings> settings(NewAppSettings());
  PlaceDialog dialog(m_places, RecentPlaces(*settings, m_places), this);
  if (dialog.exec() == QDialog::Accepted && dialog.Chosen()) GoToPlace(*dialog.Chosen());
}

void PlanetariumWindow::GoToPlace(const qelobs::ZonePlace& place) {
  if (!m_frame->ObsDialogAllowed()) return;
  Log(QString("(place: %1, %2)").arg(QString::fromUtf8(place.place), CountryName(place)));
  try {
    Pad()->ApplyObs(place.longitude, place.latitude);
  } catch (const CHostError&) {
    return;  // the log has the failed exchange; the place is not remembered
  }
  std::unique_ptr<QSettings> settings(NewAppSettings());
  RememberPlace(*settings, place, m_places);
  m_frame->RefreshButtons();
}

void PlanetariumWindow::RefreshFromEngine() {
  m_refreshPending = false;
  m_chart->Sync();
  m_state->Refresh(m_engine);
  SyncMenus();
  SyncAnimationTimer();
}

void PlanetariumWindow::ScheduleRefresh(bool pad) {
  // The listeners run inside a command, often inside a pad handler:
  // refresh once the event loop is back.
  m_refreshPending = true;
  if (pad && m_refreshesPadOnShow) {
    m_padRefreshPending = true;
    m_padRefreshesAtRequest = Pad() ? Pad()->GetRefreshCount() : 0;
  }
  if (m_refreshQueued) return;
  m_refreshQueued = true;
  QTimer::singleShot(0, this, [this] {
    m_refreshQueued = false;
    if (m_padRefreshPending) {
      m_padRefreshPending = false;
      // A pad that re-read the engine after the last request (every step
      // does) is up to date: a held button refreshes once a tick, not twice.
      if (Pad() && Pad()->GetRefreshCount() == m_padRefreshesAtRequest) UpdatePad(CLumiraPad::kRefreshAll);
      m_frame->RefreshButtons();
    }
    if (m_refreshPending) RefreshFromEngine();
  });
}

void PlanetariumWindow::SetDrivesAnimation(bool on) {
  m_drivesAnimation = on;
  SyncAnimationTimer();
}

void PlanetariumWindow::SyncAnimationTimer() {
  const bool animating = m_engine.IsAnimating();
  const bool run = animating && m_drivesAnimation;
  if (run && !m_animationTimer.isActive()) {
    m_sinceTick.start();
    m_animationTimer.start();
  } else if (!run && m_animationTimer.isActive()) {
    m_animationTimer.stop();
  }
  if (CLumiraPad* pad = Pad()) {
    // The pad's speed text and IsPlaying follow the engine, whoever
    // started or stopped it; a step mode's rate is its step per tick.
    const sky::SkyState& st = m_engine.State();
    const double rate = st.realtime ? 1.0 : st.speedStep ? st.speed * 1000.0 / kTickMs : st.speed;
    pad->SetPlaying(animating && !st.timeLock, rate);
    m_speedLabel->setText(pad->SpeedText());
  }
  if (m_animateAction->isChecked() != animating) {
    const QSignalBlocker block(m_animateAction);
    m_animateAction->setChecked(animating);
  }
}

void PlanetariumWindow::BuildTimeToolBar() {
  // The bar's template has no room for the speed after the magnitude: its
  // menu button and text live here, with "Now", at the menu bar's right
  // end, where they take no height from the chart.
  auto* bar = new QToolBar("Time", this);
  bar->setObjectName("timeToolBar");
  bar->setMovable(false);
  QAction* speed = bar->addAction("Speed", this, [this] {
    if (Pad()) Pad()->ShowSpeedMenu();
  });
  speed->setToolTip("Run the time at a chosen speed, forward or backward, or stop it");
  m_speedLabel = new QLabel(bar);
  m_speedLabel->setObjectName("speedText");
  FitSpeedLabel();
  bar->addWidget(m_speedLabel);
  bar->addAction("Now", this, [this] { JumpToNow(); })->setToolTip("Set the time to now (Ctrl+N)");
  menuBar()->setCornerWidget(bar, Qt::TopRightCorner);
}

void PlanetariumWindow::FitSpeedLabel() {
  if (Pad()) m_speedLabel->setText(Pad()->SpeedText());
  m_speedLabel->setMinimumWidth(m_speedLabel->fontMetrics().horizontalAdvance(CLumiraPad::WidestSpeedText()) + 8);
}

QString PlanetariumWindow::SpeedLabelText() const { return m_speedLabel->text(); }

void PlanetariumWindow::SyncMenus() {
  const sky::SkyState& s = m_engine.State();
  auto mark = [](QAction* a, bool on) {
    if (a->isChecked() == on) return;
    const QSignalBlocker block(a);
    a->setChecked(on);
  };
  mark(m_trackAction, s.track);
  mark(m_traceAction, s.trace);
  mark(m_lockAction, s.timeLock);
  mark(m_switchAction, s.catalogSwitch);
  const int mode = s.realtime ? CLumiraPad::kRealTime : s.speedStep ? CLumiraPad::kStep : CLumiraPad::kContinuous;
  for (QAction* a : m_modeGroup->actions()) mark(a, a->data().toInt() == mode);
  for (QAction* a : m_catalogGroup->actions()) mark(a, a->data().toString() == sky::CatalogName(s.catalog));
  for (QAction* a : m_switchCatalogGroup->actions()) {
    mark(a, a->data().toString() == sky::CatalogName(s.switchCatalog));
  }
  m_dateAction->setEnabled(m_frame->DateDialogAllowed());
  m_obsAction->setEnabled(m_frame->ObsDialogAllowed());
  m_placeAction->setEnabled(m_frame->ObsDialogAllowed());
}

void PlanetariumWindow::RestoreSession() {
  std::unique_ptr<QSettings> settings(NewAppSettings());
  if (!restoreGeometry(settings->value("Window/Geometry").toByteArray())) {
    // A first start opens on most of the screen, as a planetarium does.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    resize(QSize(1280, 860).boundedTo(room.size() * 0.9));
    move(room.center() - rect().center());
  }
  restoreState(settings->value("Window/State").toByteArray());
  if (Pad()) KeepFloatingBarInSight(Pad()->Dock(), settings->value("Window/FloatingBar").toRect());
  const RememberedChoices choices = ReadChoices(*settings);
  for (const QString& warning : choices.warnings) qWarning("%s", qPrintable(warning));
  // A running Stellarium keeps its own time and place: the pad shows them.
  if (!m_remote) {
    for (const std::string& command : choices.commands) {
      // The engine has the last word on a value (a magnitude out of range).
      const std::string reply = HostCommand(command);
      if (reply.rfind("ERROR:", 0) == 0) qWarning("settings: %s left out: %s", command.c_str(), reply.c_str());
    }
  }
  // After the place: local mean time takes its zone from the longitude.
  if (!choices.timeSystem.isEmpty() && Pad()) {
    const QByteArray key = choices.timeSystem.toLatin1();
    Pad()->SendMessage(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(key.constData()));
  }
  if (m_remote) {
    UpdatePad(CLumiraPad::kRefreshAll);
    RefreshFromEngine();
    return;
  }
  // The engine starts animating in real time; the host's mode says so too.
  SetAnimationMode(CLumiraPad::kRealTime);
  SetTimeToNow();
  UpdatePad(CLumiraPad::kRefreshAll);
  RefreshFromEngine();
}

void PlanetariumWindow::closeEvent(QCloseEvent* event) {
  if (m_remembers) SaveSession();
  m_animationTimer.stop();
  QMainWindow::closeEvent(event);
}

void PlanetariumWindow::SaveSession() const {
  std::unique_ptr<QSettings> settings(NewAppSettings());
  settings->setValue("Window/Geometry", saveGeometry());
  settings->setValue("Window/State", saveState());
  QDockWidget* dock = Pad() ? Pad()->Dock() : nullptr;
  if (dock && dock->isFloating()) {
    settings->setValue("Window/FloatingBar", dock->frameGeometry());
  } else {
    settings->remove("Window/FloatingBar");
  }
  if (m_remote) return;  // the place and the sky are Stellarium's
  SaveChoices(*settings, Pad() ? ShownTimeSystem(*Pad()) : QString(), m_engine.State());
}

}  // namespace lumira
