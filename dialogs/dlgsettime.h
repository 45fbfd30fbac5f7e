// CDlgSetTime: the date/time entry dialog (template 6025).
//
// The user types a date and time in one of seven time systems.  Picking
// another system in the list converts what is typed into that system
// through a universal-time copy, so the same instant stays on screen.
// The pad fills the dialog from its _DATEPAD record and reads the record
// back after OK.  Zones of local standard and local mean time come from
// the host control; all calendar arithmetic from the calendar library.
#pragma once

#include "framework/dialog.h"
#include "host/corlmr.h"
#include "host/lmrcontrols.h"
#include "host/qelacl.h"
#include "pad/lumirapad.h"

class CDlgSetTime : public CLmrDialog {
 public:
  // The list's place of a time-system code and the code at a place; -1
  // where the list has none (no system, sidereal time, unknown codes).
  static int IndexOfCode(int code);
  static int CodeOfIndex(int index);

  explicit CDlgSetTime(CAppContext& ctx, CWnd* parent = nullptr);

  void SetPosition(int top, int left);
  void SetDatePad(const _DATEPAD& pad, CCorLmr* pCorLmr);
  void GetDatePad(_DATEPAD& pad);

 protected:
  void MakeADate(tagADATE& date, int year, int month, int day, int hour, int minute, double second,
                 int code);
  bool IsDateInRange(const tagADATE& date, int code, double zone, double longitude) const;
  void ShowFields();
  // Each returns whether it took a new value (false: out of range or not
  // convertible, everything left as it was).
  bool FieldsToUT(int code);
  bool UTToFields(int code);
  void ConvertFields(int code);
  void OnSelChangeTimeSys();
  BOOL OnInitDialog() override;
  void OnClickedOk();
  bool CheckInput(tagADATE& date);
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnCommand(WPARAM wp, LPARAM lp) override;

  // --- members, in declaration order ----------------------------------
  int m_nSecond = 0;
  int m_nHour = 0;
  int m_nMinute = 0;
  int m_nDay = 0;
  int m_nMonth = 0;
  int m_nYear = 0;  // as shown; the era is kept in m_nEra
  CString m_strJd;
  CString m_strDay;
  int m_nEra = 0;   // 0 BC (radio 1076), 1 AD (radio 1077)
  int m_nUtSecond = 0;
  int m_nUtHour = 0;
  int m_nUtMinute = 0;
  int m_nUtDay = 0;
  int m_nUtMonth = 0;
  int m_nUtYear = 0;  // as shown; the era is kept in m_nEra
  int m_nTimeSysIndex = 0;
  int m_nTop = 0;
  int m_nLeft = 0;
  CCorLmr* m_pCorLmr = nullptr;  // not owned
  double m_dJdMax = timesys::kLastJd;
  CLmrEdit m_edtYear;
  CLmrEdit m_edtMonth;
  CLmrEdit m_edtDay;
  CLmrEdit m_edtHour;
  CLmrEdit m_edtMinute;
  CLmrEdit m_edtSecond;
  CLmrRadioButton m_btnBC;
  CLmrRadioButton m_btnAD;
  CLmrComboBox m_cmbTimeSys;

 private:
  // The zone of a time-system code in hours east (host queries for local
  // standard and local mean time).
  double ZoneOfCode(int code);
  double QueryNumber(const char* query);
  // Shows a message of the string table (or a fixed text) with the
  // exclamation icon; focuses the edit `focusId` when it is not 0.
  void Refuse(UINT messageId, int focusId);
  void RefuseText(const QString& text, int focusId);
  // The edit that takes a date in the current system.
  int EntryEditId() const;
  // Whether an edit is shown in the current system.
  bool IsFieldShown(int id) const;
  void WriteFieldsToControls(int code);
  friend class CDlgSetTimeProbe;  // tests look at the members through this
};

namespace settime {

// A year as shown with its era (1 AD, 0 BC) in astronomical numbering,
// and back; both saturate at the int range instead of overflowing.
int ApplyEra(int shownYear, int era);
void SplitYear(int year, int* era, int* shownYear);

}  // namespace settime
