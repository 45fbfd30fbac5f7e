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
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTimeEdit>
#include <QEvent>
#include <QStandardPaths>
#include <cstdlib>
#include <memory>

#include "bench_pad_rig.h"
#include "bench_report.h"

namespace {

BenchPadRig* g_rig = nullptr;  // built in main, after QApplication

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
  const CLumiraPadProbe probe(*rig.pad);
  if (probe.SelectedDigit() != 13 || probe.Year() != 2000) {
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

BENCHMARK(BM_PadRepeatTick);
BENCHMARK(BM_QtStepBy);
BENCHMARK(BM_PadRepeatTick_Repaint);
BENCHMARK(BM_QtStepBy_Repaint);
BENCHMARK(BM_PadRepeatTick_QtRepaint);

}  // namespace

int main(int argc, char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QStandardPaths::setTestModeEnabled(true);  // leave the user's settings alone
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
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  g_rig = nullptr;
  rig.reset();
  return 0;
}
