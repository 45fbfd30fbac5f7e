// Child controls: statics drawn by the layer, native buttons, edits and
// combo boxes, bitmap buttons, tooltips.
#include "framework/controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "framework/resources.h"
#include "framework/wnd_bridge.h"

namespace {

constexpr std::uint32_t kTypeMask = 0x1F;
constexpr std::uint32_t kButtonTypeMask = 0x0F;

bool IsRadioStyle(std::uint32_t style) {
  const std::uint32_t t = style & kButtonTypeMask;
  return t == BS_AUTORADIOBUTTON || t == 0x4;  // BS_RADIOBUTTON
}

// A push button drawing the up/down/focused/disabled image of the bitmap
// button it belongs to.
class CImageButtonWidget : public QAbstractButton {
 public:
  explicit CImageButtonWidget(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    auto* owner = dynamic_cast<CBitmapButton*>(CWnd::FromWidget(this));
    if (!owner) return;
    int state = 0;
    if (!isEnabled()) state = 3;
    else if (isDown()) state = 1;
    else if (hasFocus()) state = 2;
    const CBitmap* image = &owner->Image(state);
    if (image->IsNull()) image = &owner->Image(0);
    if (!image->IsNull() && owner->IsScaled()) {  // its drawing for the size, pixel for pixel
      const QImage& sized = image->ImageAt(owner->Scale().percent);
      const double dpr = devicePixelRatioF();
      p.drawImage(QRectF(0, 0, sized.width() / dpr, sized.height() / dpr), sized);
    } else if (!image->IsNull()) {
      p.drawImage(0, 0, image->Image());
    } else {
      p.fillRect(rect(), palette().button());
      p.drawText(rect(), Qt::AlignCenter, text());
    }
  }
  // The fly-by text of the button's id shows on the parent bar.
  void enterEvent(QEnterEvent* e) override {
    HoverParent(true);
    QAbstractButton::enterEvent(e);
  }
  void leaveEvent(QEvent* e) override {
    HoverParent(false);
    QAbstractButton::leaveEvent(e);
  }

 private:
  void HoverParent(bool inside) {
    CWnd* self = CWnd::FromWidget(this);
    CWnd* parent = self ? self->GetParent() : nullptr;
    if (!parent) return;
    const QPoint centre = geometry().center();
    CWndBridge::Hover(parent, inside ? parent->FromWidgetPoint(QPointF(centre)) : CPoint(-1, -1), inside);
  }
};

}  // namespace

// --- CStatic -----------------------------------------------------------------

CStatic::CStatic() { SetSurfaceFormat(QImage::Format_ARGB32_Premultiplied); }

BOOL CStatic::OnEraseBkgnd(CDC* dc) {
  (void)dc;
  return TRUE;
}

// Text statics ask the parent for their colours: no brush gives the face
// colour, the hollow brush lets the parent show through, any other brush
// fills the background.
void CStatic::OnPaint() {
  CPaintDC dc(this);
  QImage* img = dc.Target();
  if (!img || img->isNull()) return;
  img->fill(Qt::transparent);
  CRect rc;
  GetClientRect(&rc);
  const std::uint32_t type = GetStyle() & kTypeMask;
  if (type == SS_BITMAP) {
    const QString name = GetWindowText().startsWith(u'#') ? GetWindowText().mid(1) : GetWindowText();
    if (m_ctx && m_ctx->resources) {
      QPainter p(img);
      p.drawImage(0, 0, m_ctx->resources->Bitmap(name, Scale().percent));
    }
    return;
  }
  if (type == SS_BLACKFRAME) {
    const CBrush black(RGB(0, 0, 0));
    dc.FrameRect(rc, &black);
    return;
  }
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
  dc.SetBkMode(OPAQUE);
  HBRUSH brush = GetParent() ? GetParent()->SendCtlColor(&dc, this, CTLCOLOR_STATIC) : nullptr;
  if (!brush) {
    const COLORREF bk = dc.GetBkColor();
    dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    dc.SetBkColor(bk);
  } else if (!brush->IsHollow()) {
    dc.FillRect(rc, brush);
  }
  if (!IsWindowEnabled()) dc.SetTextColor(GetSysColor(COLOR_BTNSHADOW));
  int align = Qt::AlignTop | Qt::TextSingleLine;
  if (type == SS_RIGHT) align |= Qt::AlignRight;
  else if (type == 0x1) align |= Qt::AlignHCenter;  // SS_CENTER
  else align |= Qt::AlignLeft;
  dc.DrawText(GetWindowText(), rc, align);
}

// --- CButton -------------------------------------------------------------------

QWidget* CButton::NewButtonWidget(std::uint32_t style, QWidget* parent) {
  const std::uint32_t type = style & kButtonTypeMask;
  if (IsRadioStyle(style)) {
    auto* radio = new QRadioButton(parent);
    radio->setAutoExclusive(false);  // groups follow WS_GROUP, not the parent
    return radio;
  }
  if (type == 0x2 || type == 0x3) return new QCheckBox(parent);
  auto* push = new QPushButton(parent);
  push->setAutoDefault(false);
  return push;
}

void CButton::ConnectClicks(QWidget* widget) {
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (!button) return;
  QObject::connect(button, &QAbstractButton::clicked, button, [button] {
    CWnd* self = CWnd::FromWidget(button);
    CWnd* parent = self ? self->GetParent() : nullptr;
    if (!parent) return;
    parent->DispatchMessage(WM_COMMAND, MAKEWPARAM(self->GetDlgCtrlID(), BN_CLICKED),
                            reinterpret_cast<LPARAM>(self));
  });
}

BOOL CButton::Create(const QString& caption, std::uint32_t style, const CRect& rect, CWnd* parent, UINT id) {
  if (!parent || !parent->Widget() || IsWindow()) return FALSE;
  QWidget* w = NewButtonWidget(style, parent->Widget());
  parent->PlaceChild(w, rect);
  AttachWidget(parent->ContextPtr(), w, parent, id, true);
  SetStyle(style);
  SetWindowText(caption);
  ConnectClicks(w);
  if (style & WS_DISABLED) w->setEnabled(false);
  w->setVisible((style & WS_VISIBLE) != 0);
  return TRUE;
}

int CButton::GetCheck() const {
  auto* b = qobject_cast<QAbstractButton*>(m_widget);
  return b && b->isChecked() ? 1 : 0;
}

void CButton::SetCheck(int check) {
  auto* b = qobject_cast<QAbstractButton*>(m_widget);
  if (!b) return;
  if (!b->isCheckable()) b->setCheckable(true);
  QButtonGroup* group = b->group();
  // An exclusive group refuses to uncheck its checked button.
  const bool exclusive = group && group->exclusive();
  if (exclusive && !check) group->setExclusive(false);
  b->setChecked(check != 0);
  if (exclusive && !check) group->setExclusive(true);
}

void CButton::Click() {
  if (auto* b = qobject_cast<QAbstractButton*>(m_widget)) {
    b->click();
    return;
  }
  if (CWnd* parent = GetParent(); parent && IsWindowEnabled()) {
    parent->DispatchMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(this));
  }
}

// --- CBitmapButton ----------------------------------------------------------------

QWidget* CBitmapButton::NewButtonWidget(std::uint32_t style, QWidget* parent) {
  (void)style;
  return new CImageButtonWidget(parent);
}

BOOL CBitmapButton::LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled) {
  if (!m_ctx || !m_ctx->resources) return FALSE;
  const char* names[4] = {up, down, focus, disabled};
  for (int i = 0; i < 4; ++i) {
    m_images[i] = CBitmap();
    if (names[i]) m_images[i].LoadBitmap(*m_ctx->resources, names[i]);
  }
  if (m_widget) m_widget->update();
  return m_images[0].IsNull() ? FALSE : TRUE;
}

void CBitmapButton::SizeToContent() {
  if (!m_widget || m_images[0].IsNull()) return;
  const CSize size = m_images[0].GetSize();
  m_widget->resize(size.cx, size.cy);
}

// --- CEdit, CComboBox ------------------------------------------------------------

void CEdit::SetLimitText(int max) {
  if (auto* e = qobject_cast<QLineEdit*>(m_widget)) e->setMaxLength(max > 0 ? max : 32767);
}

int CEdit::GetLimitText() const {
  auto* e = qobject_cast<QLineEdit*>(m_widget);
  return e ? e->maxLength() : 0;
}

namespace {
QComboBox* Combo(QWidget* w) { return qobject_cast<QComboBox*>(w); }
}  // namespace

int CComboBox::AddString(const QString& text) {
  QComboBox* c = Combo(m_widget);
  if (!c) return -1;
  const QSignalBlocker block(c);
  const int before = c->currentIndex();
  c->addItem(text);
  c->setCurrentIndex(before);  // a new list keeps no selection, as on the original
  return c->count() - 1;
}

int CComboBox::GetCount() const {
  QComboBox* c = Combo(m_widget);
  return c ? c->count() : 0;
}

int CComboBox::GetCurSel() const {
  QComboBox* c = Combo(m_widget);
  return c ? c->currentIndex() : -1;
}

int CComboBox::SetCurSel(int index) {
  QComboBox* c = Combo(m_widget);
  if (!c) return -1;
  const QSignalBlocker block(c);
  if (index < 0 || index >= c->count()) {
    c->setCurrentIndex(-1);
    return -1;
  }
  c->setCurrentIndex(index);
  return index;
}

void CComboBox::ResetContent() {
  if (QComboBox* c = Combo(m_widget)) {
    const QSignalBlocker block(c);
    c->clear();
  }
}

void CComboBox::SelectByUser(int index) {
  if (SetCurSel(index) < 0) return;
  if (CWnd* parent = GetParent()) {
    parent->DispatchMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(this));
  }
}

CString CComboBox::GetLBText(int index) const {
  QComboBox* c = Combo(m_widget);
  return c ? c->itemText(index) : CString();
}

// --- CToolTipCtrl ------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* parent, std::uint32_t style) {
  (void)style;
  if (!parent || !parent->IsWindow()) return FALSE;
  m_parent = parent;
  m_active = true;
  return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, const QString& text) {
  if (!m_parent || !tool) return FALSE;
  bool found = false;
  for (auto& entry : m_tools) {
    if (entry.first == tool) { entry.second = text; found = true; }
  }
  if (!found) m_tools.emplace_back(tool, text);
  if (tool->Widget()) tool->Widget()->setToolTip(m_active ? text : QString());
  return TRUE;
}

void CToolTipCtrl::Activate(BOOL active) {
  m_active = active != FALSE;
  for (const auto& [tool, text] : m_tools) {
    if (tool->Widget()) tool->Widget()->setToolTip(m_active ? text : QString());
  }
}

// Qt finds and shows tooltips itself (the bars hit-test their controls),
// so there is nothing to relay.
void CToolTipCtrl::RelayEvent(UINT msg, WPARAM wp, LPARAM lp) {
  (void)msg; (void)wp; (void)lp;
}

QString CToolTipCtrl::TextOf(const CWnd* tool) const {
  for (const auto& [t, text] : m_tools) {
    if (t == tool) return text;
  }
  return {};
}
