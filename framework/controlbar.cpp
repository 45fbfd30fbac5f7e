// Control bars: borders, gripper, help for their controls, commands to the
// owner; dialog bars from templates; the frame that docks them.
#include "framework/controlbar.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>

#include "framework/template_builder.h"
#include "framework/wnd_bridge.h"

// --- CControlBar -----------------------------------------------------------------

// A bar that was never docked counts as docked: it is drawn as it would be
// in the frame.
BOOL CControlBar::IsFloating() const { return m_dock && m_dock->isFloating() ? TRUE : FALSE; }

void CControlBar::DrawBorders(CDC* dc, CRect& rect) {
  if (!dc) return;
  const COLORREF saved = dc->GetBkColor();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (m_barStyle & CBRS_BORDER_TOP) {
    dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
    dc->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
    rect.top += 2;
  }
  if (m_barStyle & CBRS_BORDER_BOTTOM) {
    dc->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
    dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
    rect.bottom -= 2;
  }
  if (m_barStyle & CBRS_BORDER_LEFT) {
    dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
    dc->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
    rect.left += 2;
  }
  if (m_barStyle & CBRS_BORDER_RIGHT) {
    dc->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
    dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
    rect.right -= 2;
  }
  dc->SetBkColor(saved);
}

// Two raised three-pixel lines near the left edge, only while docked.
void CControlBar::DrawGripper(CDC* dc, const CRect& rect) {
  if (!dc || !(m_barStyle & CBRS_GRIPPER) || IsFloating()) return;
  const COLORREF saved = dc->GetBkColor();
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const int height = rect.Height() - 4;
  if (height > 0) {
    dc->Draw3dRect(rect.left + 2, rect.top + 2, 3, height, light, shadow);
    dc->Draw3dRect(rect.left + 5, rect.top + 2, 3, height, light, shadow);
  }
  dc->SetBkColor(saved);
}

BOOL CControlBar::OnCommand(WPARAM wp, LPARAM lp) {
  CWnd* owner = GetOwner();
  if (!owner || owner == this) return FALSE;
  owner->SendMessage(WM_COMMAND, wp, lp);
  return TRUE;
}

CWnd* CControlBar::ControlAt(CPoint point, bool withHidden) const {
  if (!m_widget) return nullptr;
  const QObjectList& children = m_widget->children();
  for (int pass = 0; pass < (withHidden ? 2 : 1); ++pass) {
    // Later children lie on top of earlier ones.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      auto* w = qobject_cast<QWidget*>(*it);
      CWnd* wnd = FromWidget(w);
      if (!wnd || w->isWindow()) continue;
      const bool shown = w->isVisibleTo(m_widget);
      if (shown != (pass == 0)) continue;
      if (ChildRect(*wnd).PtInRect(point)) return wnd;
    }
  }
  return nullptr;
}

QString CControlBar::ToolTipTextAt(CPoint point) {
  if (!(m_barStyle & CBRS_TOOLTIPS) || !m_widget) return {};
  const QObjectList& children = m_widget->children();
  for (int pass = 0; pass < 2; ++pass) {
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      auto* w = qobject_cast<QWidget*>(*it);
      if (!w || !FromWidget(w) || w->isWindow() || w->toolTip().isEmpty()) continue;
      if (w->isVisibleTo(m_widget) != (pass == 0)) continue;
      if (ChildRect(*FromWidget(w)).PtInRect(point)) return w->toolTip();
    }
  }
  return {};
}

void CControlBar::OnHoverHelp(CPoint point, bool inside) {
  if (!(m_barStyle & CBRS_FLYBY) || !m_ctx || !m_ctx->status) return;
  int id = -1;
  QString text;
  if (inside && m_widget) {
    const QObjectList& children = m_widget->children();
    for (int pass = 0; pass < 2 && id < 0; ++pass) {
      for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* w = qobject_cast<QWidget*>(*it);
        CWnd* wnd = FromWidget(w);
        if (!wnd || w->isWindow() || w->isVisibleTo(m_widget) != (pass == 0)) continue;
        if (!ChildRect(*wnd).PtInRect(point)) continue;
        const QString s = LoadString(wnd->GetDlgCtrlID());
        if (s.isEmpty()) continue;
        id = int(wnd->GetDlgCtrlID());
        text = s;
        break;
      }
    }
  }
  if (id == m_hoverId) return;
  m_hoverId = id;
  m_ctx->status->SetMessageText(text);
}

// --- CDialogBar -----------------------------------------------------------------------

CDialogBar::CDialogBar(CAppContext& ctx) { m_ctx = &ctx; }

BOOL CDialogBar::Create(CWnd* frame, UINT templateId, UINT style, UINT id) {
  if (IsWindow() || !m_ctx || !m_ctx->resources) return FALSE;
  const CDialogTemplate* t = m_ctx->resources->Dialog(int(templateId));
  if (!t) return FALSE;
  m_units = CDialogUnits::ForFont(t->fontName, t->fontPoints);
  // A frame that is a main window adopts the bar when it docks it.
  QWidget* parentWidget = frame ? frame->Widget() : nullptr;
  if (qobject_cast<QMainWindow*>(parentWidget)) parentWidget = nullptr;
  auto* w = new CBridgeWidget<QWidget>(this, parentWidget);
  w->setFont(TemplateFont(*t));
  w->setBackgroundRole(QPalette::Button);
  const CRect size = m_units.Map(0, 0, t->cx, t->cy);
  w->resize(size.Width(), size.Height());
  w->m_hint = QSize(size.Width(), size.Height());
  w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  AttachWidget(m_ctx, w, frame, id, true);
  SetOwner(frame);
  SetStyle(t->style);
  m_barStyle = style;
  Invalidate(TRUE);
  CTemplateBuildOptions options;
  options.ownerDrawnAsCustom = true;
  options.mouseThroughToParent = true;
  BuildTemplateControls(this, *t, m_units, options, m_templateControls);
  if (parentWidget) w->show();
  return TRUE;
}

// --- the dock's title strip --------------------------------------------------------

namespace {

// The dock's title strip, the same widget docked and floating, so that
// the dock's size never depends on when a strip was swapped: empty (zero
// high) while docked, where the bar's own gripper is the handle; a caption
// with the dock's title while floating.  It leaves the mouse to the dock,
// which moves the floating window when its title strip is dragged.
class CBarCaption : public QWidget {
 public:
  explicit CBarCaption(QDockWidget* dock) : QWidget(dock), m_dock(dock) {}
  QSize sizeHint() const override {
    return m_dock->isFloating() ? QSize(0, fontMetrics().height() + 2 * kPadding) : QSize(0, 0);
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!m_dock->isFloating()) return;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Highlight));
    p.setPen(palette().color(QPalette::HighlightedText));
    p.drawText(rect().adjusted(kPadding + 2, 0, -kPadding, 0), Qt::AlignVCenter | Qt::AlignLeft,
               m_dock->windowTitle());
  }

 private:
  static constexpr int kPadding = 2;
  QDockWidget* m_dock;
};

}  // namespace

// --- CFrameWnd ------------------------------------------------------------------------

CFrameWnd::CFrameWnd(CAppContext& ctx, QMainWindow* window) {
  AttachWidget(&ctx, window, nullptr, 0, false);
}

QMainWindow* CFrameWnd::MainWindow() const { return qobject_cast<QMainWindow*>(m_widget); }

void CFrameWnd::DockControlBar(CControlBar* bar) {
  QMainWindow* window = MainWindow();
  if (!window || !bar || !bar->Widget() || bar->Dock()) return;
  QWidget* barWidget = bar->Widget();
  auto* dock = new QDockWidget(bar->GetWindowText(), window);
  dock->setObjectName(QStringLiteral("bar%1").arg(bar->GetDlgCtrlID()));
  dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  // The bar keeps its template size; the rest of the dock stays empty.
  auto* holder = new QWidget(dock);
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(barWidget);
  layout->addStretch(1);
  dock->setWidget(holder);
  window->addDockWidget(Qt::TopDockWidgetArea, dock);
  // Docked, the bar's own gripper is the handle; floating, the caption shows.
  auto* caption = new CBarCaption(dock);
  dock->setTitleBarWidget(caption);
  QObject::connect(barWidget, &QWidget::windowTitleChanged, dock, &QDockWidget::setWindowTitle);
  QPointer<QWidget> watched(barWidget);
  QObject::connect(dock, &QDockWidget::topLevelChanged, dock, [caption, watched](bool) {
    caption->updateGeometry();
    caption->update();
    if (CWnd* wnd = FromWidget(watched.data())) wnd->Invalidate(TRUE);
  });
  bar->SetDock(dock);
  barWidget->show();
}

void CFrameWnd::FloatControlBar(CControlBar* bar, bool floating) {
  if (bar && bar->Dock()) bar->Dock()->setFloating(floating);
}
