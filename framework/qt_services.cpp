#include "framework/qt_services.h"

#include <QAction>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include "framework/dialog.h"

// --- timers ---------------------------------------------------------------------

CQtTimerService::CQtTimerService() = default;
CQtTimerService::~CQtTimerService() = default;

UINT_PTR CQtTimerService::SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) {
  if (!wnd) return 0;
  auto& timer = m_timers[{wnd, id}];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                     [wnd, id] { wnd->DispatchMessage(WM_TIMER, id, 0); });
  }
  timer->start(int(std::max<UINT>(ms, 10)));  // restarts a running timer
  return id;
}

BOOL CQtTimerService::KillTimer(CWnd* wnd, UINT_PTR id) {
  auto it = m_timers.find({wnd, id});
  if (it == m_timers.end()) return FALSE;
  it->second->stop();
  // A timer killed from its own timeout is deleted once that returns.
  it->second.release()->deleteLater();
  m_timers.erase(it);
  return TRUE;
}

void CQtTimerService::KillAllTimers(CWnd* wnd) {
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    if (it->first.first == wnd) {
      it->second->stop();
      it->second.release()->deleteLater();
      it = m_timers.erase(it);
    } else {
      ++it;
    }
  }
}

// --- message boxes, modal runs -------------------------------------------------------

int CQtPrompt::MessageBox(const QString& text, UINT type) {
  const bool yesNo = (type & 0x0F) == MB_YESNO;
  const QMessageBox::Icon icon =
      (type & 0xF0) == MB_ICONEXCLAMATION ? QMessageBox::Warning : QMessageBox::NoIcon;
  QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text,
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, m_parent);
  const int answer = box.exec();
  if (!yesNo) return IDOK;
  return answer == QMessageBox::Yes ? IDYES : IDNO;
}

int CQtModalRunner::RunModal(CDialog& dialog) {
  if (dialog.HasEnded()) return dialog.Result();
  auto* qdialog = qobject_cast<QDialog*>(dialog.Widget());
  if (!qdialog) return IDCANCEL;
  qdialog->exec();
  return dialog.HasEnded() ? dialog.Result() : IDCANCEL;
}

bool CQtKeyboard::IsShiftDown() const {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

int CQtPopupChooser::Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) {
  QMenu menu(owner ? owner->Widget() : nullptr);
  std::vector<QAction*> actions;
  for (const QString& text : texts) actions.push_back(menu.addAction(text));
  QAction* chosen = menu.exec(QPoint(screenPoint.x, screenPoint.y));
  for (size_t i = 0; i < actions.size(); ++i) {
    if (actions[i] == chosen) return int(i);
  }
  return -1;
}

void CQtStatusSink::SetMessageText(const QString& text) {
  if (m_bar) m_bar->showMessage(text);
}
