// Control bars docked in a frame, and the frame that holds them.
#pragma once

#include "framework/dialog.h"

class QMainWindow;
class QDockWidget;

class CControlBar : public CWnd {
 public:
  BOOL IsFloating() const;
  std::uint32_t GetBarStyle() const { return m_barStyle; }
  // The framework's own borders and gripper for the bar style.
  void DrawBorders(CDC* dc, CRect& rect);
  void DrawGripper(CDC* dc, const CRect& rect);
  QDockWidget* Dock() const { return m_dock; }
  void SetDock(QDockWidget* dock) { m_dock = dock; }

 protected:
  std::uint32_t m_barStyle = 0;
  QDockWidget* m_dock = nullptr;
  BOOL OnCommand(WPARAM wp, LPARAM lp) override;  // commands go to the owner (the frame)
  // Tooltips and fly-by texts of the bar's controls, found by position:
  // the statics let the mouse through to the bar.
  QString ToolTipTextAt(CPoint point) override;
  void OnHoverHelp(CPoint point, bool inside) override;
  // The control under a client point (hidden ones too when `withHidden`).
  CWnd* ControlAt(CPoint point, bool withHidden) const;

 private:
  int m_hoverId = -1;
};

// A bar whose controls come from a dialog template.  Fly-by texts: while
// the pointer is over a control whose id has a string, it goes to the
// context's status sink (CBRS_FLYBY).
class CDialogBar : public CControlBar {
 public:
  explicit CDialogBar(CAppContext& ctx);
  BOOL Create(CWnd* frame, UINT templateId, UINT style, UINT id);
  const CDialogUnits& Units() const { return m_units; }

 protected:
  CDialogUnits m_units;
  std::vector<std::unique_ptr<CWnd>> m_templateControls;
};

// The host's main frame: a QMainWindow seen as a window of the layer.
class CFrameWnd : public CWnd {
 public:
  CFrameWnd(CAppContext& ctx, QMainWindow* window);
  // Puts the bar in a dock at the top of the frame (floatable).
  void DockControlBar(CControlBar* bar);
  // Floats or re-docks a docked bar (what dragging the dock does).
  void FloatControlBar(CControlBar* bar, bool floating);
  QMainWindow* MainWindow() const;
};
