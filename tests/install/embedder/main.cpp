// Docks the installed pad in a bare QMainWindow on the embedded engine and
// prints whether the bar sits in a dock and the date it read from the
// engine.
#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <cstdio>
#include <memory>

#include "framework/controlbar.h"
#include "framework/qt_services.h"
#include "framework/resources.h"
#include "pad/lumirapad.h"
#include "pad/module.h"
#include "sky/engine.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallFontSubstitutions();

  CQtServices services;
  CResources resources;
  QString why;
  if (!resources.Load(QelpadResourcePrefix(), &why)) {
    std::fprintf(stderr, "resources: %s\n", qPrintable(why));
    return 1;
  }
  CAppContext ctx = services.Context(&resources);

  QMainWindow window;
  CFrameWnd frame(ctx, &window);
  ctx.mainWnd = &frame;
  CSkyEngine engine;
  int timeSys = 0;
  double zone = 9.0;
  int animation = 0;

  auto pad = std::make_unique<CLumiraPad>(ctx);
  if (!pad->Create(&frame)) return 1;
  pad->SetTimeSysPtr(&timeSys, &zone);
  pad->SetAnimationPtr(&animation);
  pad->SetpCorLmr(&engine);
  frame.DockControlBar(pad.get());
  window.show();
  pad->OnUpdate(CLumiraPad::kRefreshAll);
  QApplication::processEvents();

  const bool docked = pad->Dock() && window.findChildren<QDockWidget*>().contains(pad->Dock());
  const int dateText = 6206;
  std::printf("%s; date [%s]\n", docked ? "docked" : "not docked", qPrintable(pad->GetDlgItemText(dateText)));
  pad->DestroyWindow();
  return docked ? 0 : 1;
}
