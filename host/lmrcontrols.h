// Custom-control library: the styled controls the pad and its dialogs use.
#pragma once

#include "framework/controlbar.h"

// Text in fixed 7-pixel cells from the left edge, one highlighted digit
// group (mode 1: one cell, mode 2: two cells, mode 0: none).
class CLmrStatic : public CWnd {
 public:
  static constexpr int kCellWidth = 7;
  static constexpr COLORREF kTextColor = RGB(118, 175, 227);
  static constexpr COLORREF kBackColor = RGB(0, 0, 0);
  BOOL Attach(UINT id, CWnd* parent);
  void SetWindowTextA(const QString& text) { SetWindowText(text); }
  void SetSelectedDigit(int index, int mode);
  int SelectedIndex() const { return m_selIndex; }
  int SelectedMode() const { return m_selMode; }
  // The cells drawn highlighted for an index and mode: [first, first+count).
  static std::pair<int, int> HighlightedCells(int index, int mode, int length);

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* dc) override;  // the paint fills everything

 private:
  void DescribeForReaders(const QString& text, const QString& selected);
  int m_selIndex = -99;
  int m_selMode = 0;
};

// A popup menu of keyed entries; the chosen key goes back to the owner as
// `message` with wParam 0 and lParam pointing to the key text (UTF-8,
// valid during the call).  The choice itself goes through the context's
// IPopupChooser, so a script can answer it.
class CLmrTipMenu {
 public:
  void RemoveAll();
  void Append(const QString& key, const QString& text);
  int TrackPopup(CPoint clientPoint, CWnd* owner, UINT message);
  const std::vector<std::pair<QString, QString>>& Entries() const { return m_entries; }

 private:
  std::vector<std::pair<QString, QString>> m_entries;
};

// The dark look: background RGB(53, 58, 66), text RGB(118, 175, 227).
class CLmrDialogBase {
 public:
  static constexpr COLORREF kBackColor = RGB(53, 58, 66);
  static constexpr COLORREF kTextColor = RGB(118, 175, 227);
  virtual ~CLmrDialogBase() = default;
  // Fills the rectangle with the background colour; the context's own
  // background colour is left as it was.
  void DrawBackground(CDC* dc, const CRect& rect, int style);
  // Transparent text in the text colour; returns the background brush.
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

 private:
  CBrush m_brush{kBackColor};
};

// A dialog in the dark look: its background and its statics' colours come
// from CLmrDialogBase, its native controls get matching palettes.
class CLmrDialog : public CDialog, public CLmrDialogBase {
 public:
  using CDialog::CDialog;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnEraseBkgnd(CDC* dc) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override;
};

class CLmrEdit : public CEdit {};
class CLmrRadioButton : public CButton {};
class CLmrComboBox : public CComboBox {};

class CLmrToggleButton : public CButton {
 public:
  CLmrToggleButton();
  ~CLmrToggleButton() override;
  void SetCheck(int check) { m_nCheck = check; }
  int GetCheck() const { return m_nCheck; }

 private:
  CBitmap m_bitmaps[5];
  int m_nCheck = 0;
};

class CLmrScrollBar {
 public:
  CLmrScrollBar() = default;
  CLmrScrollBar(const CLmrScrollBar& other) : m_nValue(other.m_nValue) {}
  CLmrScrollBar& operator=(const CLmrScrollBar& other) { m_nValue = other.m_nValue; return *this; }
  ~CLmrScrollBar() = default;

 private:
  int m_nValue = 0;
};

class CLmrButton {
 public:
  COLORREF GetFGColor() const { return m_crFG; }
  COLORREF GetBGColor() const { return m_crBG; }
  COLORREF GetDisabledColor() const { return m_crDisabled; }
  COLORREF GetFocusColor() const { return m_crFocus; }
  UINT GetBevel() const { return m_nBevel; }

 protected:
  COLORREF m_crFG = RGB(118, 175, 227);
  COLORREF m_crBG = RGB(53, 58, 66);
  COLORREF m_crDisabled = RGB(128, 128, 128);
  COLORREF m_crFocus = RGB(192, 192, 192);
  UINT m_nBevel = 2;
};
