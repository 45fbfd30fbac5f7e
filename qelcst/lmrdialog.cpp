// The dark look of the styled dialogs and the small styled classes.
#include <QPalette>
#include <QWidget>

#include "host/lmrcontrols.h"

namespace {
QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
}  // namespace

void CLmrDialogBase::DrawBackground(CDC* dc, const CRect& rect, int style) {
  (void)style;  // the one style the pad uses
  if (!dc) return;
  const COLORREF saved = dc->GetBkColor();
  dc->FillSolidRect(rect, kBackColor);
  dc->SetBkColor(saved);
}

HBRUSH CLmrDialogBase::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  (void)control;
  (void)kind;
  if (dc) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kTextColor);
  }
  return &m_brush;
}

BOOL CLmrDialog::OnInitDialog() {
  // Native controls take the dark look from their palettes.
  if (QWidget* w = Widget()) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ToQColor(kBackColor));
    pal.setColor(QPalette::WindowText, ToQColor(kTextColor));
    pal.setColor(QPalette::ButtonText, ToQColor(kTextColor));
    pal.setColor(QPalette::Button, ToQColor(kBackColor));
    // Disabled labels (the era buttons in Julian days) grey as a disabled
    // static's text does.
    const QColor grey = ToQColor(GetSysColor(COLOR_BTNSHADOW));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, grey);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
    w->setPalette(pal);
  }
  return CDialog::OnInitDialog();
}

BOOL CLmrDialog::OnEraseBkgnd(CDC* dc) {
  CRect rc;
  GetClientRect(&rc);
  DrawBackground(dc, rc, 0);
  return TRUE;
}

HBRUSH CLmrDialog::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  return CLmrDialogBase::OnCtlColor(dc, control, kind);
}

CLmrToggleButton::CLmrToggleButton() = default;
CLmrToggleButton::~CLmrToggleButton() = default;
