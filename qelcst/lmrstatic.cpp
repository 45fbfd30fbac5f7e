// The styled static of the pad's value texts: one character per 7-pixel
// cell from the left edge, so that a digit's place is its index times 7.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <array>

#include "host/lmrcontrols.h"

BOOL CLmrStatic::Attach(UINT id, CWnd* parent) {
  if (!SubclassDlgItem(id, parent)) return FALSE;
  Invalidate(TRUE);
  return TRUE;
}

void CLmrStatic::SetSelectedDigit(int index, int mode) {
  m_selIndex = index;
  m_selMode = mode;
}

std::pair<int, int> CLmrStatic::HighlightedCells(int index, int mode, int length) {
  if ((mode != 1 && mode != 2) || index < 0 || index >= length) return {0, 0};
  const int count = std::min(mode, length - index);
  return {index, count};
}

BOOL CLmrStatic::OnEraseBkgnd(CDC* dc) {
  (void)dc;
  return TRUE;
}

namespace {

// The ink of a character in the cell font.  Measuring shapes the text,
// and a paint would otherwise measure every character again (the repeat
// repaints the date a hundred times a second), so the ASCII characters
// the displays show are measured once per process.
QRect InkOf(const QFontMetrics& metrics, QChar ch) {
  struct Entry {
    bool known = false;
    QRect ink;
  };
  static std::array<Entry, 128> ascii;  // the cell font is fixed
  if (ch.unicode() >= ascii.size()) return metrics.tightBoundingRect(QString(ch));
  Entry& entry = ascii[ch.unicode()];
  if (!entry.known) {
    entry.ink = metrics.tightBoundingRect(QString(ch));
    entry.known = true;
  }
  return entry.ink;
}

}  // namespace

// Screen readers read what was last drawn: the text, and the selected
// digit when there is one.
void CLmrStatic::DescribeForReaders(const QString& text, const QString& selected) {
  QWidget* widget = Widget();
  if (!widget) return;
  const QString description =
      selected.isEmpty() ? text : QCoreApplication::translate("controls", "%1（選択中の桁: %2）").arg(text, selected);
  if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
}

void CLmrStatic::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(rc, kBackColor);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  dc.SetFont(font);
  const QFontMetrics metrics(font);
  dc.SetBkMode(TRANSPARENT);
  const QString text = GetWindowText();
  const auto [first, count] = HighlightedCells(m_selIndex, m_selMode, int(text.size()));
  DescribeForReaders(text.trimmed(), text.mid(first, count));
  for (int i = 0; i < int(text.size()); ++i) {
    const CRect cell(i * kCellWidth, rc.top, (i + 1) * kCellWidth, rc.bottom);
    if (cell.left >= rc.right) break;
    const bool highlighted = i >= first && i < first + count;
    if (highlighted) {
      dc.FillSolidRect(cell, kTextColor);  // an inverted cell
      dc.SetTextColor(kBackColor);
    } else {
      dc.SetTextColor(IsWindowEnabled() ? kTextColor : RGB(128, 128, 128));
    }
    // Centred by its ink, not its advance: the stand-in font is
    // proportional, and a "1" would otherwise lean on the cell's left edge.
    const QString ch = text.mid(i, 1);
    const QRect ink = InkOf(metrics, text.at(i));
    const int x = cell.left + (kCellWidth - ink.width()) / 2 - ink.left();
    const int y = rc.top + (rc.Height() - metrics.height()) / 2;
    dc.TextOut(x, y, ch);
  }
}
