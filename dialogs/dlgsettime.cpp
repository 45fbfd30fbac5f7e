// The date/time dialog: opening, the record exchange with the pad, which
// fields each system shows, and the check of what is typed before OK.
// The conversions between systems are in settime_convert.cpp.
#include "dialogs/dlgsettime.h"

#include <QCoreApplication>
#include <QString>
#include <iterator>

#include "dialogs/settime_ids.h"
#include "pad/replies.h"

using namespace settime;
using namespace timesys;

namespace {

constexpr int kFieldIds[] = {kIdYear,       kIdMonth,       kIdDay,          kIdHour,
                             kIdMinute,     kIdSecond,      kIdJd,           kIdRealDay,
                             kIdLabelYear,  kIdLabelMonth,  kIdLabelDay,     kIdLabelHour,
                             kIdLabelMinute, kIdLabelSecond, kIdLabelRealDay};

// Whether a field or label is shown for a time system.
bool ShownFor(int code, int id) {
  switch (code) {
    case kJST: case kUT: case kLST: case kLMT:
      return id != kIdJd && id != kIdRealDay && id != kIdLabelRealDay;
    case kUTD:
      return id == kIdYear || id == kIdMonth || id == kIdRealDay || id == kIdLabelYear ||
             id == kIdLabelMonth || id == kIdLabelRealDay;
    case kJD: case kMJD:
      return id == kIdJd;
    default:
      return false;
  }
}

constexpr const char* kBeyondLastYear = "日付が100000万年を超えています。";

}  // namespace

int CDlgSetTime::IndexOfCode(int code) {
  const Info* system = Find(code);
  return system ? system->dialogIndex : -1;
}

int CDlgSetTime::CodeOfIndex(int index) {
  const Info* system = AtDialog(index);
  return system ? system->code : -1;
}

CDlgSetTime::CDlgSetTime(CAppContext& ctx, CWnd* parent) : CLmrDialog(ctx, kTemplateId, parent) {}

void CDlgSetTime::SetPosition(int top, int left) {
  m_nTop = top;
  m_nLeft = left;
}

void CDlgSetTime::SetDatePad(const _DATEPAD& pad, CCorLmr* pCorLmr) {
  m_pCorLmr = pCorLmr;
  // The pad offers only systems of the list; anything else opens as
  // Japan standard time with the record's fields.
  const int index = IndexOfCode(pad.nTimeSys);
  m_nTimeSysIndex = index < 0 ? 0 : index;
  switch (CodeOfIndex(m_nTimeSysIndex)) {
    case kUTD:
      SplitYear(pad.nYear, &m_nEra, &m_nYear);
      m_nMonth = pad.nMonth;
      m_strDay = QString::asprintf("%.6f", pad.dDay);
      break;
    case kJD:
      m_strJd = QString::asprintf("%.6f", pad.dJd);
      break;
    case kMJD:
      m_strJd = QString::asprintf("%.6f", pad.dJd - kMjdZero);
      break;
    default:
      SplitYear(pad.nYear, &m_nEra, &m_nYear);
      m_nMonth = pad.nMonth;
      m_nDay = pad.nDay;
      m_nHour = pad.nHour;
      m_nMinute = pad.nMinute;
      m_nSecond = pad.nSecond;
      break;
  }
}

void CDlgSetTime::GetDatePad(_DATEPAD& pad) {
  pad.nTimeSys = CodeOfIndex(m_nTimeSysIndex);
  switch (pad.nTimeSys) {
    case kUTD:
      pad.nYear = ApplyEra(m_nYear, m_nEra);
      pad.nMonth = m_nMonth;
      pad.dDay = replies::ReadNumber(m_strDay);
      break;
    case kJD:
    case kMJD:
      // As typed: for the modified Julian day the pad adds kMjdZero.
      pad.dJd = replies::ReadNumber(m_strJd);
      break;
    default:
      pad.nYear = ApplyEra(m_nYear, m_nEra);
      pad.nMonth = m_nMonth;
      pad.nDay = m_nDay;
      pad.nHour = m_nHour;
      pad.nMinute = m_nMinute;
      pad.nSecond = m_nSecond;
      break;
  }
}

bool CDlgSetTime::IsFieldShown(int id) const { return ShownFor(CodeOfIndex(m_nTimeSysIndex), id); }

int CDlgSetTime::EntryEditId() const {
  switch (CodeOfIndex(m_nTimeSysIndex)) {
    case kUTD: return kIdRealDay;
    case kJD: case kMJD: return kIdJd;
    default: return kIdYear;
  }
}

void CDlgSetTime::ShowFields() {
  const int code = CodeOfIndex(m_nTimeSysIndex);
  if (code < 0) return;
  for (int id : kFieldIds) {
    if (CWnd* field = GetDlgItem(id)) field->ShowWindow(IsFieldShown(id) ? SW_SHOW : SW_HIDE);
  }
  const BOOL eraEnabled = (code == kJD || code == kMJD) ? FALSE : TRUE;
  for (int id : {kIdBC, kIdAD}) {
    if (CWnd* radio = GetDlgItem(id)) radio->EnableWindow(eraEnabled);
  }
}

BOOL CDlgSetTime::OnInitDialog() {
  CLmrDialog::OnInitDialog();  // the members into the controls
  m_edtYear.SubclassDlgItem(kIdYear, this);
  m_edtMonth.SubclassDlgItem(kIdMonth, this);
  m_edtDay.SubclassDlgItem(kIdDay, this);
  m_edtHour.SubclassDlgItem(kIdHour, this);
  m_edtMinute.SubclassDlgItem(kIdMinute, this);
  m_edtSecond.SubclassDlgItem(kIdSecond, this);
  m_btnBC.SubclassDlgItem(kIdBC, this);
  m_btnAD.SubclassDlgItem(kIdAD, this);

  if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kIdRealDay))) edit->SetLimitText(kRealDayEditLimit);
  if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kIdJd))) edit->SetLimitText(kJdEditLimit);

  tagADATE last{100000, 1, 1, 0, 0, 0.0, 0.0};
  m_dJdMax = GetJd(&last);

  for (int index = 0; index < kDialogEntries; ++index) {
    m_cmbTimeSys.AddString(timesys::Name(*AtDialog(index), timesys::NameUse::List));
  }
  m_cmbTimeSys.SetCurSel(m_nTimeSysIndex);
  ShowFields();

  CRect client;
  GetClientRect(&client);
  MoveWindow(m_nLeft, m_nTop, client.Width(), client.Height(), TRUE);
  return TRUE;
}

void CDlgSetTime::OnClickedOk() {
  // A field that is no whole number has been refused by the exchange with
  // its own message and focus; checking on would only repeat it.
  if (!UpdateData(TRUE)) return;
  tagADATE date{};
  MakeADate(date, ApplyEra(m_nYear, m_nEra), m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond, 0);
  if (CheckInput(date)) OnOK();
}

void CDlgSetTime::Refuse(UINT messageId, int focusId) { RefuseText(LoadString(messageId), focusId); }

void CDlgSetTime::RefuseText(const QString& text, int focusId) {
  MessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  if (focusId != 0) {
    if (CWnd* field = GetDlgItem(focusId)) GotoDlgCtrl(field);
  }
}

bool CDlgSetTime::CheckInput(tagADATE& date) {
  struct FieldRule {
    int id;
    int low, high;
    UINT message;
  };
  static constexpr FieldRule kRules[] = {
      {kIdYear, -99999, 99999, kMsgYear}, {kIdMonth, 1, 12, kMsgMonth},
      {kIdDay, 1, 31, kMsgDay},           {kIdHour, 0, 30, kMsgHour},
      {kIdMinute, 0, 59, kMsgMinute},     {kIdSecond, 0, 59, kMsgSecond},
  };
  // 0. The Julian-day and real-day edits hold a real number: a text that
  //    is none would otherwise read as 0, far in the past.
  for (int id : {kIdJd, kIdRealDay}) {
    if (IsFieldShown(id) && !replies::IsDecimalNumber(GetDlgItemText(id))) {
      Refuse(kMsgRealNumber, id);
      return false;
    }
  }
  // 1. Each shown field within its range (a number too large for an int
  //    reads as the int's limit, and so is refused like any other).
  int typed[std::size(kRules)] = {};
  for (size_t i = 0; i < std::size(kRules); ++i) {
    const FieldRule& rule = kRules[i];
    typed[i] = replies::ReadInt(GetDlgItemText(rule.id).toStdString());
    if (IsFieldShown(rule.id) && (typed[i] < rule.low || typed[i] > rule.high)) {
      Refuse(rule.message, rule.id);
      return false;
    }
  }
  const int typedEra = m_nEra;  // FieldsToUT puts the copy's era here
  const int code = CodeOfIndex(m_nTimeSysIndex);

  // 2. The typed date in universal time; one that cannot be taken there
  //    within the accepted dates is refused on its entry field.
  if (!FieldsToUT(code)) {
    Refuse(kMsgYear, EntryEditId());
    return false;
  }
  // 3. Beyond the year 100000 (a BC year counts by its size here).
  tagADATE ut{m_nUtYear, m_nUtMonth, m_nUtDay, m_nUtHour, m_nUtMinute,
              static_cast<double>(m_nUtSecond), 0.0};
  if (GetJd(&ut) > m_dJdMax) {
    RefuseText(QCoreApplication::translate("dialogs", kBeyondLastYear), 0);
    return false;
  }
  // ... and before 99999 BC, which the real-day and Julian-day entries
  // would otherwise pass to the pad.
  ut.nYear = ApplyEra(m_nUtYear, m_nEra);
  if (!(GetJd(&ut) >= kFirstJd)) {
    Refuse(kMsgYear, EntryEditId());
    return false;
  }
  // The remaining steps judge the calendar fields; with the real-day and
  // Julian-day entries they are hidden and judge nothing.
  if (!IsCalendar(code)) return true;

  // 4. The typed fields, in their era, as a date.
  tagADATE record{};
  MakeADate(record, ApplyEra(typed[0], typedEra), typed[1], typed[2], typed[3], typed[4],
            typed[5], 0);
  // 5. The date of the members, normalised.
  tagADATEDIFF zero{};
  ChangeDate(&date, &zero, 0);
  ChangeDate(&date, &zero, 1);
  // 6. The typed date within the accepted dates.
  if (!IsDateInRange(record, code, 0.0, 0.0)) {
    Refuse(kMsgYear, kIdYear);
    return false;
  }
  // 7. A year the pad can show in five places.
  if (date.nYear < -99999 || date.nYear > 99999) {
    Refuse(kMsgYear, kIdYear);
    return false;
  }
  return true;
}

void CDlgSetTime::DoDataExchange(CDataExchange* dx) {
  CLmrDialog::DoDataExchange(dx);
  DDX_Text(dx, kIdSecond, m_nSecond);
  DDX_Text(dx, kIdMinute, m_nMinute);
  DDX_Text(dx, kIdHour, m_nHour);
  DDX_Text(dx, kIdDay, m_nDay);
  DDX_Text(dx, kIdMonth, m_nMonth);
  DDX_Text(dx, kIdYear, m_nYear);
  DDX_Radio(dx, kIdBC, m_nEra);
  DDX_Control(dx, kIdTimeSys, m_cmbTimeSys);
  DDX_Text(dx, kIdJd, m_strJd);
  DDX_Text(dx, kIdRealDay, m_strDay);
}

BOOL CDlgSetTime::OnCommand(WPARAM wp, LPARAM lp) {
  const UINT id = LOWORD(wp);
  const UINT notification = HIWORD(wp);
  if (id == IDOK && notification == BN_CLICKED) {
    OnClickedOk();
    return TRUE;
  }
  if (id == static_cast<UINT>(kIdTimeSys) && notification == CBN_SELCHANGE) {
    OnSelChangeTimeSys();
    return TRUE;
  }
  return CLmrDialog::OnCommand(wp, lp);
}
