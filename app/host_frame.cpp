#include "app/host_frame.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

namespace lumira {

CPadHostFrame::CPadHostFrame(CAppContext& ctx, QMainWindow* window, CCorLmr& host)
    : CFrameWnd(ctx, window), m_host(&host) {}

CPadHostFrame::~CPadHostFrame() { DestroyPad(); }

void CPadHostFrame::SetPadHost(CCorLmr& host) {
  m_host = &host;
  if (m_pad) m_pad->SetpCorLmr(m_host);
}

bool CPadHostFrame::CreatePad(bool dock, QString* error) {
  DestroyPad();
  // The pad reads its colour scheme from the settings when constructed.
  auto pad = std::make_unique<CLumiraPad>(Context());
  if (!pad->Create(this)) {
    if (pad->IsWindow()) pad->DestroyWindow();
    if (error) *error = "the pad bar could not be created";
    return false;
  }
  // The variables come no later than the host control: the first refresh
  // that the control allows reads and writes them.
  pad->SetTimeSysPtr(&m_vars.timeSys, &m_vars.zone);
  pad->SetAnimationPtr(&m_vars.animation);
  pad->SetpCorLmr(m_host);
  if (dock) DockControlBar(pad.get());
  m_pad = std::move(pad);
  RefreshButtons(true);
  return true;
}

void CPadHostFrame::DestroyPad() {
  if (!m_pad) return;
  QPointer<QDockWidget> dock = m_pad->Dock();
  if (m_pad->IsWindow()) m_pad->DestroyWindow();
  m_pad.reset();
  m_buttonsShown = -1;
  // The dock that held the bar goes with it, so that a new pad gets a
  // fresh one in the same place.
  if (dock) {
    if (auto* window = qobject_cast<QMainWindow*>(dock->parentWidget())) window->removeDockWidget(dock);
    delete dock.data();
  }
}

bool CPadHostFrame::DateDialogAllowed() const { return ObsDialogAllowed() && m_pad->IsDateButtonEnabled(); }

bool CPadHostFrame::ObsDialogAllowed() const { return m_pad && m_pad->GetEnable(); }

void CPadHostFrame::ChangeDate() {
  if (!DateDialogAllowed()) return;
  // Dispatched as the message pump would: a host that fails inside the
  // dialog abandons the dialog, not the caller.
  m_pad->DispatchMessage(WM_CHANGEDATE, 0, 0);
  RefreshButtons();
}

void CPadHostFrame::ChangeObs() {
  if (!ObsDialogAllowed()) return;
  m_pad->DispatchMessage(WM_CHANGEOBS, 0, 0);
  RefreshButtons();
}

void CPadHostFrame::RefreshButtons(bool force) {
  const bool date = DateDialogAllowed();
  const bool obs = ObsDialogAllowed();
  const int shown = (date ? 1 : 0) | (obs ? 2 : 0);
  if (!force && m_buttonsShown == shown) return;
  m_buttonsShown = shown;
  for (CWnd* button : BarControls(kDateButtonId)) button->EnableWindow(date ? TRUE : FALSE);
  for (CWnd* button : BarControls(kObsButtonId)) button->EnableWindow(obs ? TRUE : FALSE);
  if (onButtonsChanged) onButtonsChanged(date, obs);
}

std::vector<CWnd*> CPadHostFrame::BarControls(UINT id) const {
  std::vector<CWnd*> found;
  if (!m_pad || !m_pad->IsWindow() || !m_pad->Widget()) return found;
  for (QWidget* child : m_pad->Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    CWnd* control = CWnd::FromWidget(child);
    if (control && control->GetDlgCtrlID() == id) found.push_back(control);
  }
  return found;
}

LRESULT CPadHostFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    // The bar passes its buttons' clicks to its owner, this frame.
    if (LOWORD(wp) == kDateButtonId) { ChangeDate(); return 0; }
    if (LOWORD(wp) == kObsButtonId) { ChangeObs(); return 0; }
  }
  if (msg == WM_PADCHANGED) {
    const QString text = lp ? QString::fromUtf8(reinterpret_cast<const char*>(lp)) : QString();
    RefreshButtons();
    if (onPadChanged) onPadChanged(text);
    return 0;
  }
  return CFrameWnd::WindowProc(msg, wp, lp);
}

}  // namespace lumira
