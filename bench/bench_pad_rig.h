// The tests' pad rig with the embedded engine behind it, docked in a frame
// on the offscreen platform: what the benchmarks step.  Built once per
// process; QApplication must exist first.
#pragma once

#include <QApplication>
#include <QStandardPaths>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "pad_rig.h"
#include "sky/engine.h"

// Before the QApplication of a benchmark program: off-screen unless a
// platform is asked for, and settings that leave the user's alone.
inline void PrepareBenchProcess() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QStandardPaths::setTestModeEnabled(true);
}

struct BenchPadRig {
  CSkyEngine engine;
  PadRig padRig;
  CScriptedServices& services = padRig.services;
  CAppContext& ctx = padRig.ctx;
  CLumiraPad* pad = nullptr;
  std::vector<CWnd*> controls;  // the bar's child windows

  BenchPadRig() {
    padRig.engine = &engine;
    if (!padRig.Build()) {
      std::fprintf(stderr, "pad rig: %s\n", qPrintable(padRig.error));
      std::exit(1);
    }
    pad = padRig.pad.get();
    ExposeWindows();
    for (QWidget* child : pad->Widget()->findChildren<QWidget*>()) {
      if (CWnd* wnd = CWnd::FromWidget(child)) controls.push_back(wnd);
    }
    pad->Invalidate(FALSE);
    PaintBar();
    PaintBar();  // what the first refresh invalidated
  }

  // Delivers the show and expose events: until the platform has exposed a
  // window, QWidget::repaint() paints nothing.
  static void ExposeWindows() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
  }

  // A left click on a digit of the date display, through the message pump.
  void ClickDateDigit(int index) {
    const CPoint pt = CLumiraPadProbe(*pad).DateCell(index);
    pad->DispatchMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(pt.x, pt.y));
    pad->DispatchMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  }

  // The bar's repaint as the event loop would run it, synchronously: the
  // pad and every control of it that was invalidated paint into their
  // surfaces (Qt then only shows the surfaces).
  void PaintBar() {
    pad->UpdateWindow();
    for (CWnd* control : controls) control->UpdateWindow();
  }
};
