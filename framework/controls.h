// Child controls: what the templates create and what windows attach to.
#pragma once

#include "framework/wnd.h"

// A static text, frame or bitmap from a template.  Draws its text with the
// colours its parent's OnCtlColor gives (CTLCOLOR_STATIC), like the
// original statics did.
class CStatic : public CWnd {
 public:
  CStatic();

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* dc) override;  // the paint draws everything
};

// A push button or radio button on a native Qt widget.  A click sends
// WM_COMMAND(MAKEWPARAM(id, BN_CLICKED)) to the parent.
class CButton : public CWnd {
 public:
  BOOL Create(const QString& caption, std::uint32_t style, const CRect& rect, CWnd* parent, UINT id);
  int GetCheck() const;
  void SetCheck(int check);
  void Click();  // as if the user clicked it (tests, replays)

  // Wires a native button widget so that its clicks reach the parent as
  // WM_COMMAND (used by Create and by the template builder).
  static void ConnectClicks(QWidget* button);

 protected:
  // The widget Create makes for a style; bitmap buttons make their own.
  virtual QWidget* NewButtonWidget(std::uint32_t style, QWidget* parent);
};

// A push button showing up/down/focused/disabled bitmaps.
class CBitmapButton : public CButton {
 public:
  BOOL LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled);
  void SizeToContent();
  // The image shown for a state: 0 up, 1 down, 2 focused, 3 disabled.
  const CBitmap& Image(int state) const { return m_images[state & 3]; }

 protected:
  QWidget* NewButtonWidget(std::uint32_t style, QWidget* parent) override;

 private:
  CBitmap m_images[4];
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
  CString GetLBText(int index) const;
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
