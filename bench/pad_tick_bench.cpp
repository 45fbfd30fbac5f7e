// One repeat tick of a held button on the hour's units digit, end to end,
// against what Qt offers for the same user action.
//
// Ours: SPadUpdate(3) with digit 13 aimed at by a left press through the
// message pump: the calendar step, the range check, the time command sent
// to the embedded engine and carried out there, and OnUpdate(5) with its
// queries.  "+ repaint" adds the bar's repaint: the pad and its invalidated
// controls paint into their surfaces synchronously (UpdateWindow), which
// is all the drawing a tick causes; "+ Qt repaint" lets Qt repaint the
// bar's widget instead (paint events into the window's backing store).
//
// Peer: QDateTimeEdit::stepBy on the hour section, alone and followed by
// QWidget::repaint() of the edit (Qt's synchronous paint into the backing
// store, the closest equivalent of the bar's repaint).
//
// Both step alternately up and down (Shift at the tick, stepBy(+-1)) so
// that the date stays put however many iterations run.
//
// The host's star chart in the same run: a full redraw at 1280x800 (the
// scene brought to a new instant, then repaint()), with the catalogue to
// magnitude 6.5 and with the brightest stars only (the difference gives
// the cost of a star), and one tick followed by the chart's redraw.  After
// the benchmarks, the hour's digit is held for three seconds on real Qt
// timers, with the chart hidden and shown: steps per second, paints, and
// steps after the release (a backlog) or more hours than commands (a
// double step).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "bench_pad_rig.h"
#include "bench_report.h"
#include "chart/sky_chart_widget.h"
#include "framework/qt_services.h"
#include "sky/sky_files.h"

namespace {

BenchPadRig* g_rig = nullptr;  // built in main, after QApplication
// On g_rig's engine, built by the first chart benchmark, so that the pad's
// own figures come from a rig without a chart listening.
std::unique_ptr<chart::CSkyChartWidget> g_chart;

constexpr int kChartWidth = 1280;
constexpr int kChartHeight = 800;

// Counts the paint events a widget and its children receive: a repaint
// that paints nothing would measure nothing.
class CPaintCounter : public QObject {
 public:
  explicit CPaintCounter(QWidget* widget) {
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(this);
  }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

void PadRepeatTick(benchmark::State& state, int repaint) {
  BenchPadRig& rig = *g_rig;
  rig.ClickDateDigit(13);
  CLumiraPadProbe probe(*rig.pad);
  if (probe.SelDigit() != 13 || probe.Year() != 2000) {
    state.SkipWithError("the pad does not show the engine's time with digit 13 selected");
    return;
  }
  rig.PaintBar();
  CPaintCounter paints(rig.pad->Widget());
  bool shift = false;
  for (auto _ : state) {
    rig.services.keyboard.SetShift(shift);
    shift = !shift;
    rig.pad->SPadUpdate(CLumiraPad::kLeftRepeat);
    if (repaint == 1) rig.PaintBar();
    if (repaint == 2) rig.pad->Widget()->repaint();
  }
  if (repaint == 2 && paints.count == 0) state.SkipWithError("repaint() painted nothing");
  state.SetItemsProcessed(state.iterations());
}

void BM_PadRepeatTick(benchmark::State& state) { PadRepeatTick(state, 0); }
void BM_PadRepeatTick_Repaint(benchmark::State& state) { PadRepeatTick(state, 1); }
void BM_PadRepeatTick_QtRepaint(benchmark::State& state) { PadRepeatTick(state, 2); }

struct QtPeer {
  QWidget window;
  QDateTimeEdit* edit;
  QtPeer() {
    edit = new QDateTimeEdit(QDateTime(QDate(2006, 4, 1), QTime(21, 30, 15)), &window);
    edit->setDisplayFormat("yyyy/MM/dd HH:mm:ss");
    edit->setGeometry(0, 0, 180, 24);
    window.resize(200, 30);
    window.show();
    BenchPadRig::ExposeWindows();
    edit->setCurrentSection(QDateTimeEdit::HourSection);
    edit->repaint();
  }
};

void QtStepBy(benchmark::State& state, bool repaint) {
  QtPeer peer;
  if (peer.edit->currentSection() != QDateTimeEdit::HourSection) {
    state.SkipWithError("hour section not current");
    return;
  }
  CPaintCounter paints(peer.edit);
  int step = 1;
  for (auto _ : state) {
    peer.edit->stepBy(step);
    step = -step;
    if (repaint) peer.edit->repaint();
  }
  if (repaint && paints.count == 0) state.SkipWithError("repaint() painted nothing");
  state.SetItemsProcessed(state.iterations());
}

void BM_QtStepBy(benchmark::State& state) { QtStepBy(state, false); }
void BM_QtStepBy_Repaint(benchmark::State& state) { QtStepBy(state, true); }

// The whole sky the chart can show at once: the zenith in the middle,
// 180 degrees across.
void AimChart(double magnitudeLimit) {
  if (!g_chart) {
    g_chart = std::make_unique<chart::CSkyChartWidget>(g_rig->engine, sky::LoadSkyFiles(sky::SkyDataDirectory()));
    g_chart->resize(kChartWidth, kChartHeight);
    g_chart->show();
    BenchPadRig::ExposeWindows();
  }
  g_chart->SetView({180.0, 90.0, 180.0});
  char command[96];
  std::snprintf(command, sizeof command, "Star.AutoMagnitudeLimit.Minimum = %g; Time = UT(2000,1,1,12,0,0); Show Lumiral",
                magnitudeLimit);
  g_rig->engine.Execute(command);
}

void ChartRedraw(benchmark::State& state, double magnitudeLimit) {
  AimChart(magnitudeLimit);
  const int before = g_chart->Paints();
  bool later = false;
  for (auto _ : state) {
    // A new instant each time, as a step makes: the whole scene again.
    g_rig->engine.Execute(later ? "Time = UT(2000,1,1,13,0,0); Show Lumiral" : "Time = UT(2000,1,1,12,0,0); Show Lumiral");
    later = !later;
    g_chart->repaint();
  }
  if (g_chart->Paints() == before) state.SkipWithError("repaint() painted nothing");
  state.counters["stars"] = double(g_chart->Scene().Stars().size());
  state.SetItemsProcessed(state.iterations());
}

void BM_ChartRedraw(benchmark::State& state) { ChartRedraw(state, 6.5); }
void BM_ChartRedraw_BrightStarsOnly(benchmark::State& state) { ChartRedraw(state, 1.0); }

void BM_PadRepeatTick_ChartRedraw(benchmark::State& state) {
  AimChart(6.5);
  BenchPadRig& rig = *g_rig;
  rig.ClickDateDigit(13);
  rig.PaintBar();
  bool shift = false;
  for (auto _ : state) {
    rig.services.keyboard.SetShift(shift);
    shift = !shift;
    rig.pad->SPadUpdate(3);
    rig.PaintBar();
    g_chart->repaint();
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_PadRepeatTick);
BENCHMARK(BM_QtStepBy);
BENCHMARK(BM_PadRepeatTick_Repaint);
BENCHMARK(BM_QtStepBy_Repaint);
BENCHMARK(BM_PadRepeatTick_QtRepaint);
BENCHMARK(BM_ChartRedraw);
BENCHMARK(BM_ChartRedraw_BrightStarsOnly);
BENCHMARK(BM_PadRepeatTick_ChartRedraw);

// Holds the hour's units digit for `ms` on real Qt timers and prints what
// happened.
void HoldHourDigit(const char* label, int ms) {
  BenchPadRig& rig = *g_rig;
  CQtTimerService timers;
  ITimerService* scripted = rig.ctx.timers;
  rig.ctx.timers = &timers;
  rig.engine.Execute("Time = UT(2000,1,1,12,0,0); Show Lumiral");
  rig.pad->OnUpdate(0xFF);
  QApplication::processEvents();
  int commands = 0;
  rig.engine.SetCommandObserver([&commands](std::string_view command, std::string_view) {
    if (command.find("Time =") != std::string_view::npos || command.find("Time=") != std::string_view::npos) ++commands;
  });
  const double startJd = rig.engine.State().time.seconds / 86400.0;
  const int paintsBefore = g_chart->Paints();
  const CPoint digit = CLumiraPadProbe(*rig.pad).DateCell(13);
  rig.services.keyboard.SetShift(false);
  QElapsedTimer clock;
  clock.start();
  rig.pad->DispatchMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(digit.x, digit.y));
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
  rig.pad->DispatchMessage(WM_LBUTTONUP, 0, MAKELPARAM(digit.x, digit.y));
  const double held = clock.elapsed() / 1000.0;
  const int stepsAtRelease = commands;
  QEventLoop settle;
  QTimer::singleShot(200, &settle, &QEventLoop::quit);
  settle.exec();
  const double hours = (rig.engine.State().time.seconds / 86400.0 - startJd) * 24.0;
  std::printf("held hour digit, %s: %.2f s, %d steps, %.1f steps per second while repeating, %d chart paints, "
              "%d steps after the release, %.0f hours for %d time commands\n",
              label, held, stepsAtRelease, (stepsAtRelease - 1) / (held - 0.51), g_chart->Paints() - paintsBefore,
              commands - stepsAtRelease, hours, commands);
  rig.engine.SetCommandObserver(nullptr);
  rig.ctx.timers = scripted;
}

}  // namespace

int main(int argc, char** argv) {
  PrepareBenchProcess();
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);

  auto rig = std::make_unique<BenchPadRig>();
  g_rig = rig.get();

  CRatioReporter reporter;
  reporter.AddPair("repeat tick / QDateTimeEdit::stepBy(1)", "BM_PadRepeatTick", "BM_QtStepBy");
  reporter.AddPair("tick + bar repaint / stepBy(1) + repaint()", "BM_PadRepeatTick_Repaint",
                   "BM_QtStepBy_Repaint");
  reporter.AddPair("tick + Qt repaint of the bar / stepBy(1) + repaint()", "BM_PadRepeatTick_QtRepaint",
                   "BM_QtStepBy_Repaint");
  reporter.AddBudget("tick + bar repaint, share of the 10 ms repeat", "BM_PadRepeatTick_Repaint", 0.010);
  reporter.AddBudget("chart redraw at 1280x800, share of the 10 ms repeat", "BM_ChartRedraw", 0.010);
  reporter.AddBudget("tick + bar + chart redraw, share of the 10 ms repeat", "BM_PadRepeatTick_ChartRedraw", 0.010);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  AimChart(6.5);
  g_chart->hide();
  HoldHourDigit("chart hidden", 3000);
  g_chart->show();
  BenchPadRig::ExposeWindows();
  HoldHourDigit("chart shown at 1280x800", 3000);
  g_chart.reset();

  g_rig = nullptr;
  rig.reset();
  return 0;
}
