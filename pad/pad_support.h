// Small helpers shared by the pad's own source files (not part of the
// pad's interface).
#pragma once

#include <QCoreApplication>
#include <QString>
#include <cmath>
#include <climits>

#include "framework/wnd.h"

namespace pad {

// The pad window's device context for the length of a scope: taken with
// GetDC, its background colour put back and the context released when the
// scope ends, also when a host call throws in between.  Null when the
// window does not exist.
class CScopedWindowDC {
 public:
  explicit CScopedWindowDC(CWnd* wnd) : m_wnd(wnd), m_dc(wnd->IsWindow() ? wnd->GetDC() : nullptr) {
    if (m_dc) m_bkColor = m_dc->GetBkColor();
  }
  ~CScopedWindowDC() {
    if (!m_dc) return;
    m_dc->SetBkColor(m_bkColor);
    m_wnd->ReleaseDC(m_dc);
  }
  CScopedWindowDC(const CScopedWindowDC&) = delete;
  CScopedWindowDC& operator=(const CScopedWindowDC&) = delete;

  CDC* get() const { return m_dc; }
  CDC* operator->() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  CWnd* m_wnd;
  CDC* m_dc;
  COLORREF m_bkColor = 0;
};

// A double truncated toward zero into an int: values beyond the int range
// saturate and NaN gives 0, where a plain conversion would be undefined.
inline int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

// The host's zone variable; a host that handed over none (the one-pointer
// SetTimeSysPtr) reads as Japan standard time, the zone a new pad starts in.
inline double HostZone(const double* zone) { return zone ? *zone : 9.0; }

// A display text never runs past its control's cells.
inline QString FitCells(const QString& text, int cells) {
  return text.size() > cells ? text.left(cells) : text;
}

// Shows a text in a control and has it repainted, but only when the text
// changes: the repeat refreshes the pad a hundred times a second, and a
// refresh that finds a value as it was has nothing to redraw.
inline void ShowText(CWnd* control, const QString& text) {
  if (!control || control->GetWindowText() == text) return;
  control->SetWindowText(text);
  control->Invalidate(TRUE);
}

// A number formatted into a fixed field, or the field filled with '*'
// when the number needs more places than the field has.
inline QString NumberField(const char* format, double value, int places) {
  const QString text = QString::asprintf(format, value);
  return text.size() > places ? QString(places, QLatin1Char('*')) : text;
}

}  // namespace pad

// One of the pad's own texts in the application's language (context
// "pad" of the translations); the text itself when none is installed.
inline QString PadText(const char* text) { return QCoreApplication::translate("pad", text); }
