// The interactive services, driven from the event loop they run: message
// boxes, a modal dialog, a popup menu, Qt timers.
#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "framework/dialog.h"
#include "framework/qt_services.h"
#include "framework/scripted_services.h"
#include "test_resources.h"

namespace {

// The modal window or popup menu on screen, if any.
QWidget* ShownModal() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  if (QWidget* w = QApplication::activePopupWidget()) return w;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && qobject_cast<QMenu*>(w)) return w;
  }
  return nullptr;
}

// Runs `act` on the modal widget once the loop that shows it is running
// (checked again on each pass of the loop until it is there).
void WhenModal(std::function<void(QWidget*)> act, int tries = 1000) {
  QTimer::singleShot(0, [act, tries] {
    QWidget* w = ShownModal();
    if (!w && tries > 0) {
      WhenModal(act, tries - 1);
      return;
    }
    act(w);
  });
}

class CountingWnd : public CWnd {
 public:
  int ticks = 0;
  std::function<void()> onTick;

 protected:
  void OnTimer(UINT_PTR) override {
    ++ticks;
    if (onTick) onTick();
  }
};

}  // namespace

TEST(QtServices, MessageBoxesAnswerYesNoAndOk) {
  CQtPrompt prompt;
  const struct { UINT flags; QMessageBox::StandardButton press; QMessageBox::Icon icon; int answer; } cases[] = {
      {MB_YESNO | MB_ICONEXCLAMATION, QMessageBox::Yes, QMessageBox::Warning, IDYES},
      {MB_YESNO, QMessageBox::No, QMessageBox::NoIcon, IDNO},
      {MB_OK, QMessageBox::Ok, QMessageBox::NoIcon, IDOK}};
  for (const auto& c : cases) {
    WhenModal([&c](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->icon(), c.icon);
      box->button(c.press)->click();
    });
    EXPECT_EQ(prompt.MessageBox(QStringLiteral("解除しますか"), c.flags), c.answer);
  }
}

TEST(QtServices, ModalRunnerReturnsTheEndCode) {
  InstallFontSubstitutions();
  CResources res;
  LoadTestResources(res);
  CScriptedServices s;
  CQtModalRunner runner;
  CAppContext ctx = s.Context(&res);
  ctx.modal = &runner;
  CDialog dlg(ctx, 7001);
  WhenModal([&](QWidget* w) {
    EXPECT_EQ(w, dlg.Widget());
    dlg.PressButton(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  CDialog esc(ctx, 7001);
  WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->close(); });
  EXPECT_EQ(esc.DoModal(), IDCANCEL) << "closing the window is Cancel";
}

TEST(QtServices, PopupMenuReturnsTheChosenIndex) {
  CQtPopupChooser chooser;
  WhenModal([](QWidget* w) {
    auto* menu = qobject_cast<QMenu*>(w);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    menu->setActiveAction(menu->actions()[2]);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
  });
  EXPECT_EQ(chooser.Choose({QStringLiteral("JST"), QStringLiteral("UT"), QStringLiteral("LMT")}, nullptr, CPoint(5, 5)),
            2);
  WhenModal([](QWidget* w) { qobject_cast<QMenu*>(w)->close(); });
  EXPECT_EQ(chooser.Choose({QStringLiteral("JST")}, nullptr, CPoint(5, 5)), -1);
}

TEST(QtServices, TimersDeliverAndStop) {
  CQtTimerService timers;
  CAppContext ctx;
  ctx.timers = &timers;
  CountingWnd w;
  w.CreateEx(ctx, nullptr, CRect(0, 0, 4, 4), 1);
  QEventLoop loop;
  w.onTick = [&] {
    if (w.ticks == 3) {
      EXPECT_TRUE(w.KillTimer(100));  // from inside its own tick
      loop.quit();
    }
  };
  EXPECT_EQ(w.SetTimer(100, 10), 100u);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);  // the test never hangs
  loop.exec();
  EXPECT_EQ(w.ticks, 3);
  EXPECT_FALSE(w.KillTimer(100));
  w.SetTimer(1, 10);
  w.DestroyWindow();
  EXPECT_FALSE(timers.KillTimer(&w, 1)) << "destroying the window stopped its timers";
}
