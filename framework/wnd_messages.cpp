// CWnd: the message map, sending and posting, painting into the surface.
#include <QCoreApplication>
#include <QMetaObject>
#include <QPainter>
#include <exception>

#include "framework/wnd.h"
#include "framework/wnd_bridge.h"

namespace {

bool IsInputMessage(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL) || msg == WM_KEYDOWN || msg == WM_KEYUP;
}

CPoint PointOf(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

COLORREF ToColorRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace

// --- sending and dispatching --------------------------------------------------

LRESULT CWnd::CallWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  m_messageStack.push_back({msg, wp, lp});
  struct Pop {
    std::vector<CurrentMessage>& stack;
    ~Pop() { stack.pop_back(); }
  } pop{m_messageStack};
  return WindowProc(msg, wp, lp);
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wp, LPARAM lp) { return CallWindowProc(msg, wp, lp); }

LRESULT CWnd::DispatchMessage(UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (IsInputMessage(msg) && PreTranslateMessage(msg, wp, lp)) return 0;
    return CallWindowProc(msg, wp, lp);
  } catch (const std::exception& e) {
    qWarning("message 0x%04x abandoned: %s", msg, e.what());
  } catch (...) {
    qWarning("message 0x%04x abandoned: unknown exception", msg);
  }
  return 0;
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (!m_guard) return FALSE;
  QMetaObject::invokeMethod(m_guard.get(), [this, msg, wp, lp] { DispatchMessage(msg, wp, lp); },
                            Qt::QueuedConnection);
  return TRUE;
}

void CWnd::ProcessPostedMessages() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

BOOL CWnd::PreTranslateMessage(UINT msg, WPARAM wp, LPARAM lp) {
  (void)msg; (void)wp; (void)lp;
  return FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<CDC*>(wp));
    case WM_CTLCOLOR: {
      auto* rq = reinterpret_cast<const CtlColorRequest*>(lp);
      return reinterpret_cast<LRESULT>(
          OnCtlColor(reinterpret_cast<CDC*>(wp), rq ? rq->control : nullptr, rq ? rq->kind : 0));
    }
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_TIMER: OnTimer(UINT_PTR(wp)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(UINT(wp), PointOf(lp)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(UINT(wp), PointOf(lp)); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(UINT(wp), PointOf(lp)); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(UINT(wp), PointOf(lp)); return 0;
    case WM_RBUTTONUP: OnRButtonUp(UINT(wp), PointOf(lp)); return 0;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(UINT(wp), PointOf(lp)); return 0;
    case WM_MBUTTONDOWN: OnMButtonDown(UINT(wp), PointOf(lp)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(UINT(wp), PointOf(lp)); return 0;
    case WM_MOUSEWHEEL:
      return OnMouseWheel(LOWORD(wp), short(HIWORD(wp)), PointOf(lp));
    case WM_CANCELMODE: OnCancelMode(); return 0;
    case WM_KEYDOWN: return OnKeyDown(UINT(wp), LOWORD(lp), HIWORD(lp));
    case WM_KEYUP: OnKeyUp(UINT(wp), LOWORD(lp), HIWORD(lp)); return 0;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_COMMAND: return OnCommand(wp, lp);
    default: return DefWindowProc(msg, wp, lp);
  }
}

LRESULT CWnd::Default() {
  if (m_messageStack.empty()) return 0;
  const CurrentMessage m = m_messageStack.back();
  return DefWindowProc(m.msg, m.wp, m.lp);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  (void)lp;
  if (msg == WM_ERASEBKGND && wp) {
    CDC* dc = reinterpret_cast<CDC*>(wp);
    CRect r;
    GetClientRect(&r);
    const QColor bk = m_widget ? m_widget->palette().color(m_widget->backgroundRole()) : QColor(Qt::white);
    const COLORREF saved = dc->GetBkColor();
    dc->FillSolidRect(r, ToColorRef(bk));
    dc->SetBkColor(saved);
    return 1;
  }
  return 0;
}

HBRUSH CWnd::SendCtlColor(CDC* dc, CWnd* control, UINT kind) {
  CtlColorRequest rq{control, kind};
  return reinterpret_cast<HBRUSH>(
      SendMessage(WM_CTLCOLOR, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&rq)));
}

// --- default handlers ---------------------------------------------------------

void CWnd::OnPaint() { CPaintDC dc(this); }

BOOL CWnd::OnEraseBkgnd(CDC* dc) {
  if (!dc) return FALSE;
  return DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? TRUE : FALSE;
}

HBRUSH CWnd::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  (void)dc; (void)control; (void)kind;
  return nullptr;
}

void CWnd::OnDestroy() {}
void CWnd::OnTimer(UINT_PTR id) { (void)id; }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnCancelMode() {}
BOOL CWnd::OnKeyDown(UINT, UINT, UINT) { return FALSE; }
void CWnd::OnKeyUp(UINT, UINT, UINT) {}
void CWnd::OnSetFocus() {}
void CWnd::OnKillFocus() {}

// Commands climb to the owner (for a control, its parent), as the
// original's command routing let a frame see its bars' buttons.
BOOL CWnd::OnCommand(WPARAM wp, LPARAM lp) {
  CWnd* owner = GetOwner();
  if (!owner || owner == this) return FALSE;
  return owner->SendMessage(WM_COMMAND, wp, lp) ? TRUE : FALSE;
}

QString CWnd::ToolTipTextAt(CPoint point) {
  (void)point;
  return {};
}

void CWnd::OnHoverHelp(CPoint point, bool inside) { (void)point; (void)inside; }

// --- painting -------------------------------------------------------------------

QImage& CWnd::Surface() {
  QSize size = m_widget ? m_widget->size().shrunkBy(QMargins(m_clientInset, m_clientInset, m_clientInset,
                                                             m_clientInset))
                        : QSize();
  if (m_widget && IsScaled()) size = (QSizeF(size) * DevicePixelRatio()).toSize();  // device pixels
  if (m_surface.size() != size || m_surface.format() != m_surfaceFormat) {
    QImage fresh(size, m_surfaceFormat);
    if (!fresh.isNull()) {
      fresh.fill(fresh.hasAlphaChannel() ? QColor(Qt::transparent) : QColor(Qt::black));
      if (!m_surface.isNull()) {
        QPainter p(&fresh);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, m_surface);
      }
    }
    m_surface = fresh;
    m_dirty = m_eraseWanted = true;
  }
  return m_surface;
}

void CWnd::Invalidate(BOOL erase) {
  m_dirty = true;
  if (erase) m_eraseWanted = true;
  if (m_widget) m_widget->update();
}

// The whole window is repainted: the pad redraws all of its client area on
// every paint, so tracking the invalid part would gain nothing.
void CWnd::InvalidateRect(const CRect* r, BOOL erase) {
  (void)r;
  Invalidate(erase);
}

void CWnd::UpdateWindow() { PaintIfInvalid(); }

void CWnd::PaintIfInvalid() {
  if (!m_widget) return;
  Surface();
  if (!m_dirty) return;
  const bool erase = m_eraseWanted;
  m_dirty = false;
  m_eraseWanted = false;
  if (erase) {
    CDC dc(&m_surface);
    dc.SetScale(Scale());
    dc.SetFont(m_widget->font());
    DispatchMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
  }
  DispatchMessage(WM_PAINT, 0, 0);
}

CDC* CWnd::GetDC() {
  if (!m_widget) return new CDC(nullptr);
  auto* dc = new CDC(&Surface());
  dc->SetScale(Scale());
  dc->SetFont(m_widget->font());
  m_widget->update();
  return dc;
}

int CWnd::ReleaseDC(CDC* dc) {
  delete dc;
  if (m_widget) m_widget->update();
  return 1;
}

CPaintDC::CPaintDC(CWnd* wnd)
    : CDC(wnd && wnd->Widget() ? &wnd->Surface() : nullptr), m_wnd(wnd) {
  if (!wnd) return;
  wnd->GetClientRect(&m_rcPaint);
  SetScale(wnd->Scale());
  if (wnd->Widget()) SetFont(wnd->Widget()->font());
  wnd->m_dirty = false;  // beginning to paint validates the window
}

CPaintDC::~CPaintDC() = default;

// --- bridge events --------------------------------------------------------------

UINT CWndBridge::KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  UINT f = 0;
  if (buttons & Qt::LeftButton) f |= MK_LBUTTON;
  if (buttons & Qt::RightButton) f |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) f |= MK_MBUTTON;
  if (mods & Qt::ShiftModifier) f |= MK_SHIFT;
  if (mods & Qt::ControlModifier) f |= MK_CONTROL;
  return f;
}

void CWndBridge::Mouse(CWnd* wnd, QMouseEvent* e, bool doubleClick, bool release, QPoint offset) {
  const CPoint p = wnd->FromWidgetPoint(e->position() + QPointF(offset));
  const LPARAM lp = MAKELPARAM(p.x, p.y);
  const WPARAM flags = KeyFlags(e->buttons(), e->modifiers());
  UINT msg = WM_MOUSEMOVE;
  if (e->type() != QEvent::MouseMove) {
    switch (e->button()) {
      case Qt::LeftButton:
        msg = release ? WM_LBUTTONUP : doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        break;
      case Qt::RightButton:
        msg = release ? WM_RBUTTONUP : doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
        break;
      case Qt::MiddleButton:
        msg = release ? WM_MBUTTONUP : doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
        break;
      default:
        return;
    }
  }
  wnd->DispatchMessage(msg, flags, lp);
}

void CWndBridge::Wheel(CWnd* wnd, QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  if (delta == 0) return;
  const QPoint g = e->globalPosition().toPoint();
  const UINT flags = KeyFlags(e->buttons(), e->modifiers());
  wnd->DispatchMessage(WM_MOUSEWHEEL, MAKEWPARAM(flags, UINT(std::uint16_t(short(delta)))),
                       MAKELPARAM(g.x(), g.y()));
}

namespace {

UINT VirtualKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;  // Shift is read as a key state
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    default: return 0;
  }
}

}  // namespace

bool CWndBridge::Key(CWnd* wnd, QKeyEvent* e) {
  const UINT vk = VirtualKeyOf(e->key());
  // Keys with Control or Alt are the host's shortcuts.
  if (vk == 0 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  if (e->type() == QEvent::KeyRelease) {
    // The system's auto-repeat sends a release before every repeated
    // press; only the last release is the key coming up.
    if (e->isAutoRepeat()) return true;
    wnd->DispatchMessage(WM_KEYUP, vk, MAKELPARAM(1, 0));
    return true;
  }
  const UINT flags = e->isAutoRepeat() ? KF_REPEAT : 0;
  return wnd->DispatchMessage(WM_KEYDOWN, vk, MAKELPARAM(1, flags)) != 0;
}
