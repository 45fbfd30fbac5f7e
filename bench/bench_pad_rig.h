// A pad docked in a frame on the offscreen platform, with scripted
// services and the embedded engine behind it: what the benchmarks step.
// Built once per process; QApplication must exist first.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/controlbar.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "pad/lumirapad.h"
#include "sky/engine.h"

// The pad's date display, for aiming at a digit.
class CLumiraPadProbe {
 public:
  explicit CLumiraPadProbe(CLumiraPad& pad) : p(pad) {}
  CPoint DateCell(int index) const {
    return CPoint(p.m_rcDate.left + 7 * index + 3, (p.m_rcDate.top + p.m_rcDate.bottom) / 2);
  }
  int Year() const { return p.m_nYear; }
  int Hour() const { return p.m_nHour; }
  int SelectedDigit() const { return p.m_iSelDigit; }

 private:
  CLumiraPad& p;
};

struct BenchPadRig {
  CScriptedServices services;
  CResources resources;
  QMainWindow window;
  CAppContext ctx;
  std::unique_ptr<CFrameWnd> frame;
  CSkyEngine engine;
  int timeSys = 0;
  double zone = 9.0;
  int animation = 0;
  std::unique_ptr<CLumiraPad> pad;
  std::vector<CWnd*> controls;  // the bar's child windows

  BenchPadRig() {
    QString error;
    if (!resources.Load(":/qelpad/", &error)) {
      std::fprintf(stderr, "pad resources: %s\n", qPrintable(error));
      std::exit(1);
    }
    ctx = services.Context(&resources);
    frame = std::make_unique<CFrameWnd>(ctx, &window);
    ctx.mainWnd = frame.get();
    window.resize(800, 120);
    pad = std::make_unique<CLumiraPad>(ctx);
    if (pad->Create(frame.get()) != 1) {
      std::fprintf(stderr, "the pad could not be created\n");
      std::exit(1);
    }
    frame->DockControlBar(pad.get());
    // The host is handed over before the window shows: the first paint
    // makes the first refresh.
    pad->SetTimeSysPtr(&timeSys, &zone);
    pad->SetAnimationPtr(&animation);
    pad->SetpCorLmr(&engine);
    window.show();
    ExposeWindows();
    for (QWidget* child : pad->Widget()->findChildren<QWidget*>()) {
      if (CWnd* wnd = CWnd::FromWidget(child)) controls.push_back(wnd);
    }
    pad->Invalidate(FALSE);
    PaintBar();
    PaintBar();  // what the first refresh invalidated
  }
  ~BenchPadRig() {
    if (pad && pad->IsWindow()) pad->DestroyWindow();
    pad.reset();
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
