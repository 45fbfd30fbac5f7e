// Data exchange between a dialog's controls and its members.
#include <QAbstractButton>
#include <QCoreApplication>
#include <charconv>
#include <climits>
#include <string>

#include "framework/dialog.h"

namespace {

// A whole number: optional sign, digits, nothing else once the blanks
// around it are trimmed, within the range of int.
bool ParseWholeNumber(const QString& text, int* value) {
  std::string s = text.trimmed().toStdString();
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  if (s.empty() || s[0] == '+') return false;
  const char* begin = s.data();
  const char* end = s.data() + s.size();
  int v = 0;
  auto [ptr, ec] = std::from_chars(begin, end, v, 10);
  if (ec != std::errc() || ptr != end) return false;
  *value = v;
  return true;
}

bool IsRadioButton(const CWnd* w, const CControlTemplate& c) {
  const std::uint32_t t = c.style & 0x0F;
  return (t == BS_AUTORADIOBUTTON || t == 0x4) && w;
}

}  // namespace

void CDataExchange::Fail(int controlId) {
  m_bFailed = true;
  if (m_pDlgWnd) m_pDlgWnd->GotoDlgCtrl(m_pDlgWnd->GetDlgItem(controlId));
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  if (!dx || dx->m_bFailed || !dx->m_pDlgWnd) return;
  CWnd* control = dx->m_pDlgWnd->GetDlgItem(id);
  if (!control) return;
  if (!dx->m_bSaveAndValidate) {
    control->SetWindowText(QString::number(value));
    return;
  }
  int parsed = 0;
  if (!ParseWholeNumber(control->GetWindowText(), &parsed)) {
    dx->m_pDlgWnd->MessageBox(QCoreApplication::translate("framework", "整数を入力してください。"), MB_OK | MB_ICONEXCLAMATION);
    dx->Fail(id);
    return;
  }
  value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  if (!dx || dx->m_bFailed || !dx->m_pDlgWnd) return;
  CWnd* control = dx->m_pDlgWnd->GetDlgItem(id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) value = control->GetWindowText();
  else control->SetWindowText(value);
}

// The group runs from `id` to the control before the next one that starts
// a group; only its radio buttons count.
void DDX_Radio(CDataExchange* dx, int id, int& value) {
  if (!dx || dx->m_bFailed || !dx->m_pDlgWnd || !dx->m_pDlgWnd->Template()) return;
  const auto& controls = dx->m_pDlgWnd->Template()->controls;
  size_t start = 0;
  while (start < controls.size() && controls[start].id != id) ++start;
  if (start == controls.size()) return;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (size_t i = start; i < controls.size(); ++i) {
    if (i > start && (controls[i].style & WS_GROUP)) break;
    CWnd* w = dx->m_pDlgWnd->GetDlgItem(controls[i].id);
    if (!IsRadioButton(w, controls[i])) continue;
    auto* qb = qobject_cast<QAbstractButton*>(w->Widget());
    if (dx->m_bSaveAndValidate) {
      if (qb && qb->isChecked()) value = index;
    } else if (auto* button = dynamic_cast<CButton*>(w)) {
      button->SetCheck(index == value ? 1 : 0);
    } else if (qb) {
      qb->setChecked(index == value);
    }
    ++index;
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!dx || dx->m_bFailed || !dx->m_pDlgWnd || control.IsWindow()) return;
  control.SubclassDlgItem(UINT(id), dx->m_pDlgWnd);
}
