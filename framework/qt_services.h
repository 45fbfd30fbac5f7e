// The interactive services: Qt timers, message boxes, modal loops, the
// keyboard, popup menus and the status bar.
#pragma once

#include <map>
#include <memory>
#include <utility>

#include "framework/services.h"

class QStatusBar;
class QTimer;
class QWidget;

// One QTimer per (window, id); each timeout is WM_TIMER(id) through the
// window's DispatchMessage.
class CQtTimerService : public ITimerService {
 public:
  CQtTimerService();
  ~CQtTimerService() override;
  UINT_PTR SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) override;
  BOOL KillTimer(CWnd* wnd, UINT_PTR id) override;
  void KillAllTimers(CWnd* wnd) override;

 private:
  std::map<std::pair<CWnd*, UINT_PTR>, std::unique_ptr<QTimer>> m_timers;
};

// QMessageBox: MB_YESNO gives Yes and No buttons, MB_ICONEXCLAMATION the
// warning icon; returns IDOK, IDYES or IDNO.
class CQtPrompt : public IPrompt {
 public:
  explicit CQtPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
  int MessageBox(const QString& text, UINT type) override;

 private:
  QWidget* m_parent;
};

// QDialog::exec on the dialog's widget; returns the dialog's end code.
class CQtModalRunner : public IModalRunner {
 public:
  int RunModal(CDialog& dialog) override;
};

class CQtKeyboard : public IKeyboardState {
 public:
  bool IsShiftDown() const override;
};

// QMenu::exec at the point; the chosen index or -1.
class CQtPopupChooser : public IPopupChooser {
 public:
  int Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) override;
};

class CQtStatusSink : public IStatusSink {
 public:
  explicit CQtStatusSink(QStatusBar* bar) : m_bar(bar) {}
  void SetMessageText(const QString& text) override;

 private:
  QStatusBar* m_bar;
};

// Every interactive service in one place, and the context that uses them:
// what a real host hands the pad, as CScriptedServices is for tests.  The
// resources, the main window and the status bar are the host's to give.
struct CQtServices {
  CQtTimerService timers;
  CQtPrompt prompt;
  CQtModalRunner modal;
  CQtKeyboard keyboard;
  CQtPopupChooser popup;

  CAppContext Context(const CResources* resources = nullptr, CWnd* mainWnd = nullptr,
                      IStatusSink* status = nullptr) {
    CAppContext ctx;
    ctx.timers = &timers;
    ctx.prompt = &prompt;
    ctx.modal = &modal;
    ctx.keyboard = &keyboard;
    ctx.popup = &popup;
    ctx.status = status;
    ctx.resources = resources;
    ctx.mainWnd = mainWnd;
    return ctx;
  }
};
