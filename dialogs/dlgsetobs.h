// CDlgSetObs: the location entry dialog (template 6026).
//
// The user types the observer's longitude and latitude as whole degrees
// and decimal minutes, each with its hemisphere chosen by a radio pair.
// The pad hands in degrees (east and north positive) and reads them back
// after OK.  Nobody else is asked: no host command, no calendar.
#pragma once

#include "framework/dialog.h"
#include "host/lmrcontrols.h"

class CDlgSetObs : public CLmrDialog {
 public:
  explicit CDlgSetObs(CAppContext& ctx, CWnd* parent = nullptr);

  void SetPosition(int top, int left);
  // Degrees, east and north positive.
  void SetObs(double longitude, double latitude);
  void GetObs(double* longitude, double* latitude) const;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnPaint() override;
  void OnClickedOk();
  // Whether a minute text may be read as minutes: empty, or digits with
  // at most one point, beginning with a digit.  Tells the user otherwise.
  bool IsRealNumber(const CString& text);
  bool CheckInput();
  BOOL OnCommand(WPARAM wp, LPARAM lp) override;

  // --- members, in declaration order ----------------------------------
  int m_nLonDeg = 0;
  CString m_strLonMin;
  int m_nLatDeg = 0;
  CString m_strLatMin;
  int m_nEW = 0;  // 0 east, 1 west
  int m_nNS = 0;  // 0 north, 1 south
  int m_nTop = 0;
  int m_nLeft = 0;
  CLmrEdit m_edtLonDeg;
  CLmrEdit m_edtLonMin;
  CLmrEdit m_edtLatDeg;
  CLmrEdit m_edtLatMin;
  CLmrRadioButton m_btnEast;
  CLmrRadioButton m_btnWest;
  CLmrRadioButton m_btnNorth;
  CLmrRadioButton m_btnSouth;

 private:
  // Refuses a field: the message of the string table, focus on the edit.
  void Refuse(UINT messageId, int focusId);
  friend class CDlgSetObsProbe;  // tests look at the members through this
};
