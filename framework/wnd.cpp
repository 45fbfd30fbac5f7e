// CWnd: creation, family, geometry, text and state on the window's QWidget.
// Messages and painting are in wnd_messages.cpp.
#include "framework/wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>

#include "framework/resources.h"
#include "framework/wnd_bridge.h"

namespace {
constexpr const char* kWndProperty = "lumiraWnd";
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_ctx && m_ctx->timers) m_ctx->timers->KillAllTimers(this);
  if (!m_widget) return;
  QWidget* w = m_widget;
  const bool owned = m_ownsWidget;
  CBridgeLink* link = CWndBridge::LinkOf(w);
  const bool busy = link && link->m_eventDepth > 0;
  DetachWidget();
  if (!owned) return;
  if (busy) {
    w->hide();
    w->deleteLater();
  } else {
    delete w;
  }
}

void CWnd::AttachWidget(CAppContext* ctx, QWidget* widget, CWnd* parent, UINT id, bool owned) {
  m_ctx = ctx;
  m_widget = widget;
  m_parent = parent;
  m_id = id;
  m_ownsWidget = owned;
  if (!widget) return;
  widget->setProperty(kWndProperty, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(this)));
  if (CBridgeLink* link = CWndBridge::LinkOf(widget)) link->m_wnd = this;
  m_guard = std::make_unique<QObject>();
  // A widget deleted by Qt (its parent went) leaves the window without one.
  QObject::connect(widget, &QObject::destroyed, m_guard.get(), [this] {
    m_widget = nullptr;
    m_capture = false;
  });
}

void CWnd::DetachWidget() {
  m_guard.reset();
  if (m_widget) {
    if (CBridgeLink* link = CWndBridge::LinkOf(m_widget)) {
      if (link->m_wnd == this) link->m_wnd = nullptr;
    }
    if (FromWidget(m_widget) == this) m_widget->setProperty(kWndProperty, QVariant());
  }
  m_widget = nullptr;
  m_capture = false;
}

CWnd* CWnd::FromWidget(const QWidget* widget) {
  if (!widget) return nullptr;
  const QVariant v = widget->property(kWndProperty);
  return v.isValid() ? reinterpret_cast<CWnd*>(v.value<quintptr>()) : nullptr;
}

BOOL CWnd::CreateEx(CAppContext& ctx, CWnd* parent, const CRect& rect, UINT id) {
  if (m_widget) return FALSE;
  QWidget* parentWidget = parent ? parent->Widget() : nullptr;
  auto* w = new CBridgeWidget<QWidget>(this, parentWidget);
  if (parentWidget) {
    parent->PlaceChild(w, rect);
  } else {
    w->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
  }
  AttachWidget(&ctx, w, parent, id, true);
  m_dirty = m_eraseWanted = true;
  if (parentWidget) w->show();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent || m_widget) return FALSE;
  CWnd* old = parent->GetDlgItem(int(id));
  if (!old || old == this || !old->m_widget) return FALSE;
  QWidget* w = old->m_widget;
  const bool owned = old->m_ownsWidget;
  const std::uint32_t style = old->m_style;
  const QString text = old->m_text;
  old->DetachWidget();
  AttachWidget(old->m_ctx, w, parent, id, owned);
  m_style = style;
  m_text = text;
  m_dirty = m_eraseWanted = true;
  w->update();
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_widget) return FALSE;
  DispatchMessage(WM_DESTROY, 0, 0);
  if (m_ctx && m_ctx->timers) m_ctx->timers->KillAllTimers(this);
  if (!m_widget) return TRUE;  // OnDestroy took it down already
  QWidget* w = m_widget;
  const bool owned = m_ownsWidget;
  CBridgeLink* link = CWndBridge::LinkOf(w);
  const bool busy = link && link->m_eventDepth > 0;
  DetachWidget();
  if (owned) {
    if (busy) {
      w->hide();
      w->deleteLater();
    } else {
      delete w;
    }
  }
  return TRUE;
}

CWnd* CWnd::GetDlgItem(int id) const {
  if (!m_widget) return nullptr;
  for (QObject* child : m_widget->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    CWnd* wnd = FromWidget(w);
    if (wnd && int(wnd->m_id) == id) return wnd;
  }
  return nullptr;
}

// --- geometry ----------------------------------------------------------------

void CWnd::GetClientRect(CRect* r) const {
  if (!r) return;
  if (!m_widget) { r->SetRectEmpty(); return; }
  if (CScale s; FindScale(&s)) {
    const double dpr = DevicePixelRatio();
    *r = CRect(0, 0, s.ToLogicalX(int(std::lround((m_widget->width() - 2 * m_clientInset) * dpr))),
               s.ToLogicalY(int(std::lround((m_widget->height() - 2 * m_clientInset) * dpr))));
    return;
  }
  *r = CRect(0, 0, std::max(m_widget->width() - 2 * m_clientInset, 0),
             std::max(m_widget->height() - 2 * m_clientInset, 0));
}

void CWnd::GetWindowRect(CRect* r) const {
  if (!r) return;
  if (!m_widget) { r->SetRectEmpty(); return; }
  const QPoint g = m_widget->mapToGlobal(QPoint(0, 0));
  *r = CRect(g.x(), g.y(), g.x() + m_widget->width(), g.y() + m_widget->height());
}

void CWnd::ScreenToClient(CPoint* p) const {
  if (!p || !m_widget) return;
  *p = FromWidgetPoint(m_widget->mapFromGlobal(QPointF(p->x, p->y)));
}

void CWnd::ScreenToClient(CRect* r) const {
  if (!r || !m_widget) return;
  CPoint tl = r->TopLeft(), br = r->BottomRight();
  ScreenToClient(&tl);
  ScreenToClient(&br);
  *r = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::ClientToScreen(CPoint* p) const {
  if (!p || !m_widget) return;
  QPoint local(p->x, p->y);
  if (CScale s; FindScale(&s)) {
    const double dpr = DevicePixelRatio();
    local = QPoint(int(std::lround(s.ToDeviceX(p->x) / dpr)), int(std::lround(s.ToDeviceY(p->y) / dpr)));
  }
  const QPoint q = m_widget->mapToGlobal(local + QPoint(m_clientInset, m_clientInset));
  *p = CPoint(q.x(), q.y());
}

void CWnd::ClientToScreen(CRect* r) const {
  if (!r || !m_widget) return;
  CPoint tl = r->TopLeft(), br = r->BottomRight();
  ClientToScreen(&tl);
  ClientToScreen(&br);
  *r = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) {
  if (!m_widget) return;
  // A child's place is in its parent's client coordinates; a top-level
  // window's size includes its frame.
  const CWnd* parent = m_widget->isWindow() ? nullptr : FromWidget(m_widget->parentWidget());
  if (parent) {
    parent->PlaceChild(m_widget, CRect(x, y, x + std::max(cx, 0), y + std::max(cy, 0)));
  } else if (m_scalePercent) {
    const CScale s = Scale();
    const double dpr = DevicePixelRatio();
    m_widget->setGeometry(x, y, int(std::lround(s.Device(std::max(cx, 0)) / dpr)),
                          int(std::lround(s.Device(std::max(cy, 0)) / dpr)));
  } else {
    m_widget->setGeometry(x, y, std::max(cx, 0), std::max(cy, 0));
  }
  if (repaint) Invalidate(TRUE);
}

// --- size ---------------------------------------------------------------------

double CWnd::DevicePixelRatio() const { return m_widget ? m_widget->devicePixelRatioF() : 1.0; }

// Walks up to the nearest window that set a size, once: false when none
// did.  The origin adds up each window's place in its parent on the way.
bool CWnd::FindScale(CScale* scale) const {
  if (m_scalePercent) {
    *scale = CScale{m_scalePercent, {}};
    return true;
  }
  const CWnd* parent = m_widget && !m_widget->isWindow() ? FromWidget(m_widget->parentWidget()) : nullptr;
  if (!parent || !parent->FindScale(scale)) return false;
  const CPoint place = parent->ScaledPoint(*scale, QPointF(m_widget->pos()));
  scale->origin = CPoint(scale->origin.x + place.x, scale->origin.y + place.y);
  return true;
}

bool CWnd::IsScaled() const {
  CScale unused;
  return FindScale(&unused);
}

CScale CWnd::Scale() const {
  CScale s;
  if (!FindScale(&s)) return CScale{};
  return s;
}

// A scaled window's point falls on a device pixel, and the pixel on the
// one logical pixel that covers it; elsewhere Qt's point is the client point.
CPoint CWnd::FromWidgetPoint(QPointF point) const {
  CScale s;
  if (FindScale(&s)) return ScaledPoint(s, point);
  const QPoint p = (point - QPointF(m_clientInset, m_clientInset)).toPoint();
  return CPoint(p.x(), p.y());
}

CPoint CWnd::ScaledPoint(const CScale& s, QPointF point) const {
  point -= QPointF(m_clientInset, m_clientInset);
  const double dpr = DevicePixelRatio();
  return CPoint(s.ToLogicalX(int(std::floor(point.x() * dpr))), s.ToLogicalY(int(std::floor(point.y() * dpr))));
}

void CWnd::PlaceChild(QWidget* child, const CRect& r) const {
  if (!child) return;
  const int inset = m_clientInset;
  CScale s;
  if (!FindScale(&s)) {
    child->setGeometry(r.left + inset, r.top + inset, r.Width(), r.Height());
    return;
  }
  const CRect d = s.ToDevice(r);
  const double dpr = DevicePixelRatio();
  auto qt = [dpr](int device) { return int(std::lround(device / dpr)); };
  child->setGeometry(qt(d.left) + inset, qt(d.top) + inset, qt(d.right) - qt(d.left), qt(d.bottom) - qt(d.top));
}

CRect CWnd::ChildRect(const CWnd& child) const {
  const QRect g = child.m_widget->geometry();
  const CPoint tl = FromWidgetPoint(QPointF(g.topLeft()));
  const CPoint br = FromWidgetPoint(QPointF(g.x() + g.width(), g.y() + g.height()));
  return CRect(tl.x, tl.y, br.x, br.y);
}

// The places of the whole tree are read at the old size and set again at
// the new one, parents first, so that every child keeps its logical place.
void CWnd::SetScalePercent(int percent) {
  if (!m_widget || percent <= 0) return;
  // 100 % on a screen of ratio 1 is the unscaled window itself.
  const bool actual = percent == CScale::kActualSize && DevicePixelRatio() == 1.0;
  if ((actual ? 0 : percent) == m_scalePercent) return;
  struct Place { const CWnd* parent; CWnd* child; CRect rect; };
  std::vector<Place> places;
  std::function<void(const CWnd&)> collect = [&](const CWnd& wnd) {
    for (QObject* object : wnd.m_widget->children()) {
      auto* widget = qobject_cast<QWidget*>(object);
      CWnd* child = FromWidget(widget);
      if (!child || child->m_widget != widget || child->m_scalePercent) continue;
      places.push_back({&wnd, child, wnd.ChildRect(*child)});
      collect(*child);
    }
  };
  collect(*this);
  CRect client;
  GetClientRect(&client);
  CBridgeLink* link = CWndBridge::LinkOf(m_widget);
  const bool hinted = link && link->m_hint.isValid();
  const QSizeF hintSize = hinted ? QSizeF(link->m_hint) - QSizeF(m_clientInset, m_clientInset) : QSizeF();
  const CPoint hint = FromWidgetPoint(QPointF(hintSize.width(), hintSize.height()));
  m_scalePercent = actual ? 0 : percent;
  const double dpr = DevicePixelRatio();
  auto qtSize = [&](int cx, int cy) {
    return QSize(int(std::lround(Scale().Device(cx) / dpr)) + 2 * m_clientInset,
                 int(std::lround(Scale().Device(cy) / dpr)) + 2 * m_clientInset);
  };
  if (hinted) link->m_hint = qtSize(hint.x, hint.y);  // a bar's size in its dock
  m_widget->resize(qtSize(client.Width(), client.Height()));
  m_widget->updateGeometry();
  for (const Place& place : places) {
    place.parent->PlaceChild(place.child->m_widget, place.rect);
    place.child->Invalidate(TRUE);
  }
  Invalidate(TRUE);
}

void CWnd::MoveWindow(const CRect& r, BOOL repaint) {
  MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint);
}

// --- text and state --------------------------------------------------------

void CWnd::SetWindowText(const QString& text) {
  m_text = text;
  if (!m_widget) return;
  if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
    edit->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
    button->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(m_widget)) {
    if (combo->isEditable()) combo->setEditText(text);
  } else {
    Invalidate(TRUE);
  }
  // Bars show it as their dock's caption, dialogs as their title.
  m_widget->setWindowTitle(text);
}

void CWnd::GetWindowText(CString& text) const { text = GetWindowText(); }

CString CWnd::GetWindowText() const {
  if (m_widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) return button->text();
    if (auto* combo = qobject_cast<QComboBox*>(m_widget)) return combo->currentText();
  }
  return m_text;
}

void CWnd::SetDlgItemText(int id, const QString& text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

CString CWnd::GetDlgItemText(int id) const {
  CWnd* item = GetDlgItem(id);
  return item ? item->GetWindowText() : CString();
}

BOOL CWnd::ShowWindow(int cmd) {
  if (!m_widget) return FALSE;
  const BOOL was = m_widget->isVisible() ? TRUE : FALSE;
  m_widget->setVisible(cmd != SW_HIDE);
  return was;
}

BOOL CWnd::IsWindowVisible() const { return m_widget && m_widget->isVisible(); }

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!m_widget) return FALSE;
  const BOOL wasDisabled = m_widget->isEnabled() ? FALSE : TRUE;
  m_widget->setEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_widget && m_widget->isEnabled(); }

CWnd* CWnd::SetFocus() {
  CWnd* previous = FromWidget(QApplication::focusWidget());
  if (m_widget) m_widget->setFocus(Qt::OtherFocusReason);
  return previous;
}

// A window whose top-level is not active still counts as focused when it
// is the one that gets the focus as soon as its window is (headless runs).
BOOL CWnd::HasFocus() const {
  if (!m_widget) return FALSE;
  return m_widget->hasFocus() || m_widget->window()->focusWidget() == m_widget;
}

CWnd* CWnd::SetCapture() {
  if (!m_widget) return nullptr;
  CWnd* previous = FromWidget(QWidget::mouseGrabber());
  if (m_widget->isVisible()) m_widget->grabMouse();
  m_capture = true;
  return previous;
}

void CWnd::ReleaseCapture() {
  if (m_widget && QWidget::mouseGrabber() == m_widget) m_widget->releaseMouse();
  m_capture = false;
}

BOOL CWnd::HasCapture() const { return m_capture ? TRUE : FALSE; }

// --- timers, boxes, strings -------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT ms) {
  if (!m_ctx || !m_ctx->timers) return 0;
  return m_ctx->timers->SetTimer(this, id, ms);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
  if (!m_ctx || !m_ctx->timers) return FALSE;
  return m_ctx->timers->KillTimer(this, id);
}

int CWnd::MessageBox(const QString& text, UINT type) {
  if (!m_ctx || !m_ctx->prompt) {
    qWarning("message box without a prompt: %s", qPrintable(text));
    return (type & MB_YESNO) ? IDNO : IDOK;
  }
  return m_ctx->prompt->MessageBox(text, type);
}

CString CWnd::LoadString(UINT id) const {
  if (!m_ctx || !m_ctx->resources) return CString();
  return m_ctx->resources->String(id).value_or(CString());
}
