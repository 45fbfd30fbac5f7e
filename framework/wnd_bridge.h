// The widgets behind custom-drawn windows: they turn Qt's events into the
// layer's messages and show the window's backing surface.
//
// Internal to the layer (and its tests): windows are made through
// CWnd::CreateEx, CDialogBar::Create and CDialog::CreateFromTemplate.
#pragma once

#include <QDialog>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include "framework/wnd.h"

// What every bridge widget carries besides its Qt base: the window it
// speaks for (changes when a window subclasses the control), how deep it
// is in its own event handling (a window destroyed from inside one of its
// events is deleted later), and the size a layout should give it.
class CBridgeLink {
 public:
  virtual ~CBridgeLink() = default;
  CWnd* m_wnd = nullptr;
  int m_eventDepth = 0;
  QSize m_hint;
};

// The layer's side of a bridge: access to the window's private state.
class CWndBridge {
 public:
  static void Paint(CWnd* wnd) { wnd->PaintIfInvalid(); }
  static const QImage& Surface(CWnd* wnd) { return wnd->Surface(); }
  static QString ToolTipAt(CWnd* wnd, CPoint p) { return wnd->ToolTipTextAt(p); }
  static void Hover(CWnd* wnd, CPoint p, bool inside) { wnd->OnHoverHelp(p, inside); }
  static UINT KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
  // `offset` moves the event's point into the window's client area (a
  // control that lets the mouse through passes its events to its parent).
  static void Mouse(CWnd* wnd, QMouseEvent* e, bool doubleClick, bool release, QPoint offset = {});
  static void Wheel(CWnd* wnd, QWheelEvent* e);
  // WM_KEYDOWN / WM_KEYUP for the keys the layer knows; true when the
  // window used the key.
  static bool Key(CWnd* wnd, QKeyEvent* e);
  static void Focus(CWnd* wnd, bool in) { wnd->DispatchMessage(in ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0); }
  static CBridgeLink* LinkOf(QWidget* widget) { return dynamic_cast<CBridgeLink*>(widget); }
};

template <class Base>
class CBridgeWidget : public Base, public CBridgeLink {
 public:
  CBridgeWidget(CWnd* wnd, QWidget* parent) : Base(parent) {
    m_wnd = wnd;
    this->setMouseTracking(true);
    this->setAttribute(Qt::WA_OpaquePaintEvent, false);
  }

  QSize sizeHint() const override { return m_hint.isValid() ? m_hint : Base::sizeHint(); }

 protected:
  bool event(QEvent* e) override {
    struct Depth {
      int& d;
      explicit Depth(int& v) : d(v) { ++d; }
      ~Depth() { --d; }
    } depth(m_eventDepth);
    // Keys are taken before Qt's own handling, which would move the focus
    // on at Tab.
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && m_wnd) {
      if (CWndBridge::Key(m_wnd, static_cast<QKeyEvent*>(e))) return true;
    }
    if ((e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) && m_wnd) {
      CWndBridge::Focus(m_wnd, e->type() == QEvent::FocusIn);
    }
    if (e->type() == QEvent::ToolTip && m_wnd) {
      auto* he = static_cast<QHelpEvent*>(e);
      const QString text = CWndBridge::ToolTipAt(m_wnd, m_wnd->FromWidgetPoint(QPointF(he->pos())));
      if (!text.isEmpty()) {
        QToolTip::showText(he->globalPos(), text, this);
        return true;
      }
    }
    return Base::event(e);
  }
  void paintEvent(QPaintEvent*) override {
    if (!m_wnd) return;
    CWndBridge::Paint(m_wnd);
    if (!m_wnd) return;  // the paint destroyed the window
    QPainter p(this);
    const QImage& surface = CWndBridge::Surface(m_wnd);
    if (m_wnd->IsScaled()) {  // the surface's device pixels onto as many of the screen's
      const double dpr = this->devicePixelRatioF();
      p.drawImage(QRectF(m_wnd->ClientInset(), m_wnd->ClientInset(), surface.width() / dpr, surface.height() / dpr),
                  surface);
    } else {
      p.drawImage(m_wnd->ClientInset(), m_wnd->ClientInset(), surface);
    }
  }
  // A control transparent for the mouse that still gets an event (sent to
  // it directly) hands it to its parent's window at the parent's point.
  CWnd* MouseTarget(QPoint* offset) const {
    *offset = QPoint();
    if (this->testAttribute(Qt::WA_TransparentForMouseEvents)) {
      if (auto* parentLink = dynamic_cast<CBridgeLink*>(this->parentWidget())) {
        *offset = this->pos();
        return parentLink->m_wnd;
      }
    }
    return m_wnd;
  }
  void mousePressEvent(QMouseEvent* e) override {
    QPoint offset;
    if (CWnd* target = MouseTarget(&offset)) CWndBridge::Mouse(target, e, false, false, offset);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPoint offset;
    if (CWnd* target = MouseTarget(&offset)) CWndBridge::Mouse(target, e, false, true, offset);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QPoint offset;
    if (CWnd* target = MouseTarget(&offset)) CWndBridge::Mouse(target, e, true, false, offset);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    QPoint offset;
    CWnd* target = MouseTarget(&offset);
    if (!target) return;
    CWndBridge::Mouse(target, e, false, false, offset);
    target = MouseTarget(&offset);  // the handler may have destroyed it
    if (target) CWndBridge::Hover(target, target->FromWidgetPoint(e->position() + QPointF(offset)), true);
  }
  void wheelEvent(QWheelEvent* e) override {
    QPoint offset;
    if (CWnd* target = MouseTarget(&offset)) CWndBridge::Wheel(target, e);
  }
  void leaveEvent(QEvent* e) override {
    if (m_wnd) CWndBridge::Hover(m_wnd, CPoint(-1, -1), false);
    Base::leaveEvent(e);
  }
};

// A dialog's window: Escape, Return and closing go through the dialog's
// commands (IDCANCEL, IDOK) instead of ending the Qt dialog behind the
// dialog object's back.
class CDialogBridge : public CBridgeWidget<QDialog> {
 public:
  using CBridgeWidget<QDialog>::CBridgeWidget;
  void reject() override;
  void accept() override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  // A frameless window: the thin border of WS_BORDER and the sunken
  // client edge of WS_EX_CLIENTEDGE are drawn around the client area.
  void paintEvent(QPaintEvent* e) override;
};
