// Child controls: what the templates create and what windows attach to.
#pragma once

#include "framework/wnd.h"

// A static text, frame or bitmap from a template.  Draws its text with the
// colours its parent's OnCtlColor gives (CTLCOLOR_STATIC), like the
// original statics did.
class CStatic : public CWnd {
 protected:
  void OnPaint() override;
};

// A push button or radio button on a native Qt widget.  A click sends
// WM_COMMAND(MAKEWPARAM(id, BN_CLICKED)) to the parent.
class CButton : public CWnd {
 public:
  BOOL Create(const QString& caption, std::uint32_t style, const CRect& rect, CWnd* parent, UINT id);
  int GetCheck() const;
  void SetCheck(int check);
  void Click();  // as if the user clicked it (tests, replays)
};

// A push button showing up/down/focused/disabled bitmaps.
class CBitmapButton : public CButton {
 public:
  BOOL LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled);
  void SizeToContent();
};

class CEdit : public CWnd {
 public:
  void SetLimitText(int max);
  int GetLimitText() const;
};

class CComboBox : public CWnd {
 public:
  int AddString(const QString& text);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);  // does not notify, as on the original platform
  void ResetContent();
  // As if the user picked an entry: selects and sends CBN_SELCHANGE.
  void SelectByUser(int index);
};

// Tooltips: each tool is a control with a fixed text.
class CToolTipCtrl {
 public:
  BOOL Create(CWnd* parent, std::uint32_t style = 0);
  BOOL AddTool(CWnd* tool, const QString& text);
  void Activate(BOOL active);
  void RelayEvent(UINT msg, WPARAM wp, LPARAM lp);
  BOOL IsCreated() const { return m_parent != nullptr; }
  QString TextOf(const CWnd* tool) const;

 private:
  CWnd* m_parent = nullptr;
  bool m_active = false;
  std::vector<std::pair<const CWnd*, QString>> m_tools;
};
