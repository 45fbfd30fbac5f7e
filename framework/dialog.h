// Dialogs built from templates, and data exchange between controls and
// members.
#pragma once

#include "framework/controls.h"
#include "framework/resources.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  CDialog(CAppContext& ctx, UINT templateId, CWnd* parent = nullptr);

  // Builds the window from the template, runs OnInitDialog and hands the
  // dialog to the context's modal runner.  Returns the end code.
  virtual int DoModal();
  // Builds the window and runs OnInitDialog without a modal loop (used by
  // the runners; tests may call it to inspect a dialog).
  BOOL CreateFromTemplate();
  void EndDialog(int result);
  bool HasEnded() const { return m_ended; }
  int Result() const { return m_result; }

  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  void CheckRadioButton(int first, int last, int check);
  int GetCheckedRadioButton(int first, int last) const;
  void GotoDlgCtrl(CWnd* control);
  // Pixel rectangle of a dialog-unit rectangle, with this dialog's font.
  void MapDialogRect(CRect* r) const;
  const CDialogTemplate* Template() const { return m_template; }
  UINT TemplateId() const { return m_templateId; }

  // Presses a button of the dialog by id (scripted runs).
  void PressButton(int id);

 protected:
  virtual BOOL OnInitDialog();            // base: UpdateData(FALSE)
  virtual void DoDataExchange(CDataExchange* dx) { (void)dx; }
  virtual void OnOK();                    // base: UpdateData(TRUE), then EndDialog(IDOK)
  virtual void OnCancel();                // base: EndDialog(IDCANCEL)
  BOOL OnCommand(WPARAM wp, LPARAM lp) override;  // IDOK/IDCANCEL to OnOK/OnCancel

  UINT m_templateId;
  const CDialogTemplate* m_template = nullptr;
  CDialogUnits m_units;
  bool m_ended = false;
  int m_result = IDCANCEL;
  std::vector<std::unique_ptr<CWnd>> m_templateControls;
};

class CDataExchange {
 public:
  CDataExchange(CDialog* dlg, BOOL save) : m_pDlgWnd(dlg), m_bSaveAndValidate(save) {}
  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
  bool m_bFailed = false;
  // Refuses the field: shows nothing itself, moves the focus to the
  // control and stops the rest of the exchange.
  void Fail(int controlId);
};

// An integer field: on save, a text that is not a whole number is refused
// with the message "整数を入力してください。" and the exchange fails.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
// The checked button's index within the group that starts at `id`, -1 none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Binds a member control object to the template's control.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
