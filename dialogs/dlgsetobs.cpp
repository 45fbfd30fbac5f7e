// The location dialog: degrees and decimal minutes with a hemisphere for
// each of longitude and latitude, checked before OK.
#include "dialogs/dlgsetobs.h"

#include <QString>
#include <cmath>

#include "dialogs/input_messages.h"
#include "pad/replies.h"

namespace {

constexpr UINT kTemplateId = 6026;

constexpr int kIdEast = 6030;  // radio group east / west
constexpr int kIdWest = 6031;
constexpr int kIdLonDeg = 6032;
constexpr int kIdLonMin = 6033;
constexpr int kIdNorth = 1080;  // radio group north / south
constexpr int kIdSouth = 1081;
constexpr int kIdLatDeg = 1001;
constexpr int kIdLatMin = 1003;

constexpr UINT kMsgLonDeg = input_messages::kLonDegrees;
constexpr UINT kMsgLatDeg = input_messages::kLatDegrees;
constexpr UINT kMsgLonMin = input_messages::kLonMinutes;
constexpr UINT kMsgLatMin = input_messages::kLatMinutes;
constexpr UINT kMsgRealNumber = input_messages::kRealNumber;

// Degrees beyond any place are shown at this size rather than overflowing
// the degree field.
constexpr double kDegreeLimit = 1.0e9;

// One coordinate as hemisphere, whole degrees and a minute text of one
// decimal.  Minutes that would show as 60.0 carry into the degrees.
void SplitDegrees(double value, int* hemisphere, int* degrees, CString* minuteText) {
  *hemisphere = value < 0 ? 1 : 0;
  double size = std::fabs(value);
  if (std::isnan(size)) size = 0.0;
  if (size > kDegreeLimit) size = kDegreeLimit;
  double whole = std::trunc(size);
  double minutes = (size - whole) * 60;
  if (minutes >= 59.95) {
    whole += 1;
    minutes = 0.0;
  }
  *degrees = static_cast<int>(whole);
  *minuteText = QString::asprintf("%.1f", std::floor(minutes * 10 + 0.5) * 0.1);
}

double ReadMinutes(const CString& text) { return replies::ReadNumber(text); }

}  // namespace

CDlgSetObs::CDlgSetObs(CAppContext& ctx, CWnd* parent) : CLmrDialog(ctx, kTemplateId, parent) {}

void CDlgSetObs::SetPosition(int top, int left) {
  m_nTop = top;
  m_nLeft = left;
}

void CDlgSetObs::SetObs(double longitude, double latitude) {
  SplitDegrees(longitude, &m_nEW, &m_nLonDeg, &m_strLonMin);
  SplitDegrees(latitude, &m_nNS, &m_nLatDeg, &m_strLatMin);
}

void CDlgSetObs::GetObs(double* longitude, double* latitude) const {
  // A minute text without a number counts as 0.
  *longitude = m_nLonDeg + ReadMinutes(m_strLonMin) / 60;
  if (m_nEW != 0) *longitude = -*longitude;
  *latitude = m_nLatDeg + ReadMinutes(m_strLatMin) / 60;
  if (m_nNS != 0) *latitude = -*latitude;
}

void CDlgSetObs::DoDataExchange(CDataExchange* dx) {
  CLmrDialog::DoDataExchange(dx);
  DDX_Text(dx, kIdLonDeg, m_nLonDeg);
  DDX_Text(dx, kIdLonMin, m_strLonMin);
  DDX_Text(dx, kIdLatDeg, m_nLatDeg);
  DDX_Text(dx, kIdLatMin, m_strLatMin);
  DDX_Radio(dx, kIdEast, m_nEW);
  DDX_Radio(dx, kIdNorth, m_nNS);
}

BOOL CDlgSetObs::OnInitDialog() {
  CLmrDialog::OnInitDialog();  // the members into the controls
  m_edtLonDeg.SubclassDlgItem(kIdLonDeg, this);
  m_edtLonMin.SubclassDlgItem(kIdLonMin, this);
  m_edtLatDeg.SubclassDlgItem(kIdLatDeg, this);
  m_edtLatMin.SubclassDlgItem(kIdLatMin, this);
  m_btnEast.SubclassDlgItem(kIdEast, this);
  m_btnWest.SubclassDlgItem(kIdWest, this);
  m_btnNorth.SubclassDlgItem(kIdNorth, this);
  m_btnSouth.SubclassDlgItem(kIdSouth, this);

  CRect client;
  GetClientRect(&client);
  MoveWindow(m_nLeft, m_nTop, client.Width(), client.Height(), TRUE);
  return TRUE;
}

void CDlgSetObs::OnPaint() { CLmrDialog::OnPaint(); }  // the dialog's look is the base's

void CDlgSetObs::OnClickedOk() {
  if (CheckInput()) OnOK();
}

void CDlgSetObs::Refuse(UINT messageId, int focusId) {
  MessageBox(LoadString(messageId), MB_OK | MB_ICONEXCLAMATION);
  if (CWnd* field = GetDlgItem(focusId)) GotoDlgCtrl(field);
}

bool CDlgSetObs::IsRealNumber(const CString& text) {
  if (text.isEmpty()) return true;
  auto isDigit = [](QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; };
  bool valid = isDigit(text.at(0));
  int points = 0;
  for (qsizetype i = 1; valid && i < text.size(); ++i) {
    if (text.at(i) == u'.') {
      valid = ++points <= 1;
    } else {
      valid = isDigit(text.at(i));
    }
  }
  if (!valid) MessageBox(LoadString(kMsgRealNumber), MB_OK | MB_ICONEXCLAMATION);
  return valid;
}

bool CDlgSetObs::CheckInput() {
  // Read from the edits themselves.  The degrees are read as real numbers
  // here; that they are whole is the exchange's check inside OnOK.
  const double lonDeg = replies::ReadNumber(GetDlgItemText(kIdLonDeg));
  if (!(lonDeg >= 0 && lonDeg <= 180)) {
    Refuse(kMsgLonDeg, kIdLonDeg);
    return false;
  }
  const CString lonMinText = GetDlgItemText(kIdLonMin);
  if (!IsRealNumber(lonMinText)) {
    if (CWnd* field = GetDlgItem(kIdLonMin)) GotoDlgCtrl(field);
    return false;
  }
  const double lonMin = ReadMinutes(lonMinText);
  if (!(lonMin <= 60)) {
    Refuse(kMsgLonMin, kIdLonMin);
    return false;
  }
  const double latDeg = replies::ReadNumber(GetDlgItemText(kIdLatDeg));
  if (!(latDeg >= 0 && latDeg <= 90)) {
    Refuse(kMsgLatDeg, kIdLatDeg);
    return false;
  }
  const CString latMinText = GetDlgItemText(kIdLatMin);
  if (!IsRealNumber(latMinText)) {
    if (CWnd* field = GetDlgItem(kIdLatMin)) GotoDlgCtrl(field);
    return false;
  }
  const double latMin = ReadMinutes(latMinText);
  if (!(latMin <= 60)) {
    Refuse(kMsgLatMin, kIdLatMin);
    return false;
  }
  if (!(lonDeg + lonMin / 60 <= 180)) {
    Refuse(kMsgLonDeg, kIdLonDeg);
    return false;
  }
  if (!(latDeg + latMin / 60 <= 90)) {
    Refuse(kMsgLatDeg, kIdLatDeg);
    return false;
  }
  return true;
}

BOOL CDlgSetObs::OnCommand(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
    OnClickedOk();
    return TRUE;
  }
  return CLmrDialog::OnCommand(wp, lp);
}
