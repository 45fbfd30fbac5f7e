// Dialogs from templates: building, the modal run through the context's
// runner, ending, radio groups.
#include "framework/dialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "framework/template_builder.h"
#include "framework/wnd_bridge.h"

// --- the dialog's widget --------------------------------------------------------

void CDialogBridge::reject() {
  if (m_wnd) m_wnd->DispatchMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CDialogBridge::accept() {
  if (m_wnd) m_wnd->DispatchMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CDialogBridge::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    // A focused push button takes Return itself; otherwise it means OK.
    if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
      b->click();
    } else {
      accept();
    }
    return;
  }
  QDialog::keyPressEvent(e);
}

void CDialogBridge::closeEvent(QCloseEvent* e) {
  auto* dlg = dynamic_cast<CDialog*>(m_wnd);
  if (dlg && !dlg->HasEnded()) {
    e->ignore();
    reject();
    return;
  }
  QDialog::closeEvent(e);
}

void CDialogBridge::paintEvent(QPaintEvent* e) {
  CBridgeWidget<QDialog>::paintEvent(e);
  if (!m_wnd) return;
  QPainter p(this);
  // From the outside in; QPainter's rectangles are one pixel larger.
  QRect edge = rect().adjusted(0, 0, -1, -1);
  if (m_wnd->GetStyle() & WS_BORDER) {
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(edge);
    edge.adjust(1, 1, -1, -1);
  }
  if (m_wnd->ClientInset() < (m_wnd->GetStyle() & WS_BORDER ? 3 : 2)) return;
  // The sunken client edge: shadow and dark shadow above and left, light
  // and highlight below and right.
  const QColor topLeft[] = {palette().color(QPalette::Dark), palette().color(QPalette::Shadow)};
  const QColor bottomRight[] = {palette().color(QPalette::Light), palette().color(QPalette::Midlight)};
  for (int ring = 0; ring < 2; ++ring) {
    p.setPen(topLeft[ring]);
    p.drawLine(edge.topLeft(), edge.topRight() - QPoint(1, 0));
    p.drawLine(edge.topLeft(), edge.bottomLeft() - QPoint(0, 1));
    p.setPen(bottomRight[ring]);
    p.drawLine(edge.bottomLeft(), edge.bottomRight());
    p.drawLine(edge.topRight(), edge.bottomRight());
    edge.adjust(1, 1, -1, -1);
  }
}

// --- CDialog ------------------------------------------------------------------------

CDialog::CDialog(CAppContext& ctx, UINT templateId, CWnd* parent) : m_templateId(templateId) {
  m_ctx = &ctx;
  m_parent = parent;
}

BOOL CDialog::CreateFromTemplate() {
  if (IsWindow()) return TRUE;
  m_template = m_ctx && m_ctx->resources ? m_ctx->resources->Dialog(int(m_templateId)) : nullptr;
  if (!m_template) return FALSE;
  m_ended = false;
  m_result = IDCANCEL;
  m_units = CDialogUnits::ForFont(m_template->fontName, m_template->fontPoints);
  auto* w = new CDialogBridge(this, m_parent ? m_parent->Widget() : nullptr);
  w->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  w->setFont(TemplateFont(*m_template));
  w->setWindowTitle(ResourceText(m_template->caption));
  // The template gives the client area; the border and the client edge
  // lie around it.
  const int inset = (m_template->style & WS_BORDER ? 1 : 0) + (m_template->exStyle & WS_EX_CLIENTEDGE ? 2 : 0);
  const CRect size = m_units.Map(0, 0, m_template->cx, m_template->cy);
  w->resize(size.Width() + 2 * inset, size.Height() + 2 * inset);
  CWnd* parent = m_parent;
  AttachWidget(m_ctx, w, parent, m_templateId, true);
  SetStyle(m_template->style);
  SetClientInset(inset);
  Invalidate(TRUE);
  m_templateControls.clear();
  CTemplateBuildOptions options;
  BuildTemplateControls(this, *m_template, m_units, options, m_templateControls);
  OnInitDialog();
  return TRUE;
}

int CDialog::DoModal() {
  if (!CreateFromTemplate()) return -1;
  int result = IDCANCEL;
  if (!m_ended) {
    result = m_ctx->modal ? m_ctx->modal->RunModal(*this) : IDCANCEL;
  }
  if (m_ended) result = m_result;
  DestroyWindow();
  m_templateControls.clear();
  return result;
}

void CDialog::EndDialog(int result) {
  m_ended = true;
  m_result = result;
  if (auto* d = qobject_cast<QDialog*>(m_widget); d && d->isVisible()) d->done(result);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the refused field keeps the dialog open
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// The buttons OK (1) and Cancel (2) end the dialog; a dialog class routes
// its other commands by overriding OnCommand and calling this for the rest.
BOOL CDialog::OnCommand(WPARAM wp, LPARAM lp) {
  (void)lp;
  if (HIWORD(wp) != BN_CLICKED) return FALSE;
  switch (LOWORD(wp)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
  }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return dx.m_bFailed ? FALSE : TRUE;
}

void CDialog::CheckRadioButton(int first, int last, int check) {
  for (int id = first; id <= last; ++id) {
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(id))) b->SetCheck(id == check ? 1 : 0);
    else if (CWnd* w = GetDlgItem(id)) {
      if (auto* qb = qobject_cast<QAbstractButton*>(w->Widget())) qb->setChecked(id == check);
    }
  }
}

int CDialog::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id) {
    CWnd* w = GetDlgItem(id);
    auto* qb = w ? qobject_cast<QAbstractButton*>(w->Widget()) : nullptr;
    if (qb && qb->isChecked()) return id;
  }
  return 0;
}

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (!control) return;
  control->SetFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(control->Widget())) edit->selectAll();
}

void CDialog::MapDialogRect(CRect* r) const {
  if (!r) return;
  *r = m_units.Map(r->left, r->top, r->Width(), r->Height());
}

void CDialog::PressButton(int id) {
  CWnd* w = GetDlgItem(id);
  if (auto* qb = w ? qobject_cast<QAbstractButton*>(w->Widget()) : nullptr) {
    qb->click();
    return;
  }
  if (w && !w->IsWindowEnabled()) return;
  DispatchMessage(WM_COMMAND, MAKEWPARAM(UINT(id), BN_CLICKED), reinterpret_cast<LPARAM>(w));
}
