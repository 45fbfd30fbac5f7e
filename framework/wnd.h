// CWnd: a window of the layer, on a QWidget.
//
// Every input reaches a window as a message through WindowProc, whether it
// came from Qt (mouse, paint, timers) or from code (SendMessage,
// PostMessage).  The default WindowProc calls the virtual On... handler of
// each standard message, so a window class overrides a handler the way the
// original message maps did, and handles private messages by overriding
// WindowProc itself.
//
// A window with its own drawing keeps a backing surface (a QImage of its
// client size): OnPaint, CPaintDC and GetDC all draw into it, and Qt shows
// it.  Tests read pixels straight from the surface.
#pragma once

#include <QPointF>
#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "framework/gdi.h"
#include "framework/services.h"
#include "framework/wintypes.h"

class QObject;
class QWidget;
using CString = QString;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // --- creation --------------------------------------------------------
  // A custom-drawn child (or top-level when parent is null) window.
  BOOL CreateEx(CAppContext& ctx, CWnd* parent, const CRect& rect, UINT id);
  // Takes over an existing child control of `parent` (by id): from now on
  // its messages (paint, mouse) come to this object.  The original
  // platform called this subclassing.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  BOOL DestroyWindow();
  BOOL IsWindow() const { return m_widget != nullptr; }
  // The layer's builders: makes `widget` this window's widget (a native
  // control of a template, a frame's main window).  The window deletes the
  // widget when it goes unless `owned` is false.
  void AttachWidget(CAppContext* ctx, QWidget* widget, CWnd* parent, UINT id, bool owned = true);
  // The window object of a widget of the layer, or null.
  static CWnd* FromWidget(const QWidget* widget);

  // --- identity and family --------------------------------------------
  QWidget* Widget() const { return m_widget; }
  UINT GetDlgCtrlID() const { return m_id; }
  CWnd* GetParent() const { return m_parent; }
  CWnd* GetOwner() const { return m_owner ? m_owner : m_parent; }
  void SetOwner(CWnd* owner) { m_owner = owner; }
  CWnd* GetDlgItem(int id) const;
  CAppContext& Context() const { return *m_ctx; }
  CAppContext* ContextPtr() const { return m_ctx; }
  // Template style bits (WS_*, SS_*, BS_*...) the window was made with.
  std::uint32_t GetStyle() const { return m_style; }
  void SetStyle(std::uint32_t style) { m_style = style; }

  // --- geometry (client coordinates unless said) ----------------------
  // A window with a frame of its own (a dialog's border and client edge)
  // keeps its client area this many pixels inside its widget on each
  // side; children, painting and mouse points are in client coordinates.
  int ClientInset() const { return m_clientInset; }
  void GetClientRect(CRect* r) const;
  void GetWindowRect(CRect* r) const;  // screen coordinates
  void ScreenToClient(CRect* r) const;
  void ScreenToClient(CPoint* p) const;
  void ClientToScreen(CRect* r) const;
  void ClientToScreen(CPoint* p) const;
  void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
  void MoveWindow(const CRect& r, BOOL repaint = TRUE);

  // --- size -------------------------------------------------------------
  // Draws this window and its children at `percent` of their size (a bar
  // at 150 % or 200 %): their widgets, surfaces and fonts grow, while every
  // coordinate the windows see (client rectangles, mouse points, drawing
  // calls) stays in the pixels of 100 %.  The widgets then measure
  // percent / 100 device pixels per pixel, whatever the screen's ratio.
  void SetScalePercent(int percent);
  // The size this window draws at, from the nearest window that set one.
  CScale Scale() const;
  bool IsScaled() const;
  // A point of the widget (Qt's coordinates) as a client point.
  CPoint FromWidgetPoint(QPointF point) const;
  // Puts a child widget at a rectangle of this window's client area.
  void PlaceChild(QWidget* child, const CRect& r) const;
  // Where a child lies in this window's client area.
  CRect ChildRect(const CWnd& child) const;

  // --- text, state ------------------------------------------------------
  void SetWindowText(const QString& text);
  void GetWindowText(CString& text) const;
  CString GetWindowText() const;
  void SetDlgItemText(int id, const QString& text);
  CString GetDlgItemText(int id) const;
  BOOL ShowWindow(int cmd);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  CWnd* SetFocus();
  BOOL HasFocus() const;
  CWnd* SetCapture();
  void ReleaseCapture();
  BOOL HasCapture() const;

  // --- painting ---------------------------------------------------------
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(const CRect* r, BOOL erase = TRUE);
  void UpdateWindow();  // paints now if anything is invalid
  CDC* GetDC();         // draws into the surface; give it back with ReleaseDC
  int ReleaseDC(CDC* dc);
  QImage& Surface();    // the backing surface (client size)
  bool IsInvalid() const { return m_dirty; }

  // --- timers, messages, boxes -----------------------------------------
  UINT_PTR SetTimer(UINT_PTR id, UINT ms);
  BOOL KillTimer(UINT_PTR id);
  LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0);  // delivered from the event loop
  int MessageBox(const QString& text, UINT type = MB_OK);
  CString LoadString(UINT id) const;

  // The message pump entry: runs WindowProc and stops any exception at the
  // window's edge, so that a failing call abandons only the operation that
  // made it.  Qt events and posted messages come in here.
  LRESULT DispatchMessage(UINT msg, WPARAM wp, LPARAM lp);

  virtual BOOL PreTranslateMessage(UINT msg, WPARAM wp, LPARAM lp);
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default();  // the layer's own handling of the message being processed
  // The layer's default processing of any message (what Default() runs).
  LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp);

  // Asks this window (a parent) for the colours of one of its controls,
  // as a control does before it draws (WM_CTLCOLOR).
  HBRUSH SendCtlColor(CDC* dc, CWnd* control, UINT kind);
  struct CtlColorRequest { CWnd* control; UINT kind; };  // lParam of WM_CTLCOLOR; wParam is the CDC*

  // Delivers every message posted so far (PostMessage queues through Qt's
  // event loop; tests call this instead of spinning the loop).
  static void ProcessPostedMessages();

 protected:
  // Handlers called by the default WindowProc.  Their base versions are
  // the layer's default processing.
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(CDC* dc);
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
  virtual void OnDestroy();
  virtual void OnTimer(UINT_PTR id);
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnLButtonUp(UINT flags, CPoint point);
  virtual void OnLButtonDblClk(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonUp(UINT flags, CPoint point);
  virtual void OnRButtonDblClk(UINT flags, CPoint point);
  virtual void OnMButtonDown(UINT flags, CPoint point);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
  virtual void OnCancelMode();
  // Keys reach the window that has the focus.  OnKeyDown answers TRUE when
  // the window used the key; an unused key goes on to Qt (Tab then moves
  // the focus on).  A key held down repeats its key-down with KF_REPEAT in
  // `flags`; only its last release comes as a key-up.
  virtual BOOL OnKeyDown(UINT vk, UINT repeatCount, UINT flags);
  virtual void OnKeyUp(UINT vk, UINT repeatCount, UINT flags);
  virtual void OnSetFocus();
  virtual void OnKillFocus();
  virtual BOOL OnCommand(WPARAM wp, LPARAM lp);  // default: pass to the owner

  // Help for the point under the pointer (client coordinates): the tooltip
  // text to show there, and the fly-by hover.  Control bars answer for
  // their controls; plain windows have none.
  virtual QString ToolTipTextAt(CPoint point);
  virtual void OnHoverHelp(CPoint point, bool inside);
  // The surface's pixel format: opaque for windows that paint all of
  // their client area, with alpha for statics that let the parent show.
  void SetSurfaceFormat(QImage::Format format) { m_surfaceFormat = format; }
  void SetClientInset(int inset) { m_clientInset = inset; }

  CAppContext* m_ctx = nullptr;
  QWidget* m_widget = nullptr;
  CWnd* m_parent = nullptr;
  CWnd* m_owner = nullptr;
  UINT m_id = 0;

 private:
  friend class CWndBridge;
  friend class CPaintDC;
  struct CurrentMessage { UINT msg; WPARAM wp; LPARAM lp; };
  std::vector<CurrentMessage> m_messageStack;
  QImage m_surface;
  QImage::Format m_surfaceFormat = QImage::Format_RGB32;
  bool m_dirty = false;
  bool m_eraseWanted = false;
  bool m_ownsWidget = true;
  bool m_capture = false;
  std::uint32_t m_style = 0;
  int m_clientInset = 0;
  int m_scalePercent = 0;           // 0: the size of the parent
  QString m_text;                   // window text of custom-drawn windows
  std::unique_ptr<QObject> m_guard;  // context of this window's Qt connections

  LRESULT CallWindowProc(UINT msg, WPARAM wp, LPARAM lp);
  void DetachWidget();
  void PaintIfInvalid();
  double DevicePixelRatio() const;
  bool FindScale(CScale* scale) const;
  CPoint ScaledPoint(const CScale& scale, QPointF point) const;
};

// The context of OnPaint: draws into the window's surface.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  const CRect& PaintRect() const { return m_rcPaint; }

 private:
  CWnd* m_wnd;
  CRect m_rcPaint;
};
