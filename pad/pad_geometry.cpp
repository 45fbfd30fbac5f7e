// Where the digits are: the rectangle of each digit index, the hit test
// of a point, and the track and trace marks right of the magnitude.
#include "pad/lumirapad.h"

namespace {

constexpr int kCell = CLmrStatic::kCellWidth;  // pixels per character of the value texts

// Cells `first` to `last` (exclusive) of a text area, full height.
CRect Cells(const CRect& area, int first, int last) {
  return CRect(area.left + kCell * first, area.top, area.left + kCell * last, area.bottom);
}

}  // namespace

CRect CLumiraPad::GetDigitRect(int iDigit) {
  if (iDigit >= 0 && iDigit <= 19) {
    switch (m_nTimeSys) {
      case timesys::kJST:
      case timesys::kUT:
      case timesys::kUTD:
      case timesys::kLST:
      case timesys::kLMT:  // the month is one two-cell unit
        if (iDigit == 6 || iDigit == 7) return Cells(m_rcDate, 6, 8);
        return Cells(m_rcDate, iDigit, iDigit + 1);
      case timesys::kJD:
      case timesys::kMJD:
      case timesys::kST:
        return Cells(m_rcDate, iDigit, iDigit + 1);
      default:
        break;
    }
  } else if (iDigit >= 20 && iDigit <= 35) {
    if (iDigit <= 21) return Cells(m_rcObs, 0, 2);  // hundreds and tens of the longitude
    return Cells(m_rcObs, iDigit - 20, iDigit - 19);
  } else if (iDigit >= 40 && iDigit <= 43) {
    if (iDigit <= 41) return Cells(m_rcMag, 0, 2);  // the whole magnitude
    return Cells(m_rcMag, iDigit - 40, iDigit - 39);
  }
  MessageBox(QStringLiteral("CLumiraPad::GetDigitRect(): iDigit out of range."), MB_OK);
  return CRect(0, 0, 0, 0);
}

int CLumiraPad::GetLButtonPos(CPoint point) const {
  for (const CRect* area : {&m_rcDate, &m_rcObs, &m_rcMag, &m_rcTimeSys, &m_rcEra}) {
    if (area->PtInRect(point)) return 0;
  }
  if (m_rcTimeSysArrow.PtInRect(point)) return 1;
  return -1;
}

void CLumiraPad::DrawDigitEdge(CDC* /*dc*/, int iDigit) { m_iEdgeDigit = iDigit; }

// Track: the corners of a square with a dot in the middle.  Trace: a
// square crossed by four strokes.  Both sit in a 26 x 12 box centred in
// the gap right of the magnitude text, cleared on every call.
void CLumiraPad::DrawTTMark(CDC* pDC) {
  const int x0 = m_rcMag.right + (m_rcClient.right - m_rcMag.right) / 2 - 12;
  const int y0 = (m_rcClient.top + m_rcClient.bottom - 12) / 2;

  const COLORREF oldBk = pDC->GetBkColor();
  pDC->FillSolidRect(x0, y0, 26, 12, m_crBack);
  pDC->SetBkColor(oldBk);

  CBrush textBrush(m_crText);
  CPen pen(1, m_crText);
  const CBrush* oldBrush = pDC->SelectObject(static_cast<const CBrush*>(&textBrush));
  CPen* oldPen = pDC->SelectObject(&pen);
  const int oldMode = pDC->SetBkMode(OPAQUE);

  if (m_bTrack) {
    const CPoint corners[][3] = {
        {{x0, y0}, {x0 + 4, y0}, {0, 0}},
        {{x0 + 8, y0}, {x0 + 11, y0}, {x0 + 11, y0 + 4}},
        {{x0 + 11, y0 + 8}, {x0 + 11, y0 + 11}, {x0 + 7, y0 + 11}},
        {{x0 + 3, y0 + 11}, {x0, y0 + 11}, {x0, y0 + 7}},
        {{x0, y0 + 3}, {x0, y0}, {0, 0}},
    };
    const int counts[] = {2, 3, 3, 3, 2};
    for (int i = 0; i < 5; ++i) pDC->Polyline(corners[i], counts[i]);
    pDC->Ellipse(x0 + 4, y0 + 4, x0 + 8, y0 + 8);
  }

  pDC->SelectObject(oldBrush);
  pDC->SetBkMode(TRANSPARENT);
  CBrush backBrush(m_crBack);
  pDC->SelectObject(static_cast<const CBrush*>(&backBrush));

  if (m_bTrace) {
    const int x1 = x0 + 14;
    pDC->Rectangle(x1, y0, x1 + 12, y0 + 12);
    const CPoint strokes[][2] = {
        {{x1 + 5, y0}, {x1, y0 + 5}},
        {{x1, y0 + 9}, {x1 + 9, y0}},
        {{x1 + 11, y0 + 2}, {x1 + 1, y0 + 12}},
        {{x1 + 6, y0 + 11}, {x1 + 11, y0 + 6}},
    };
    for (const auto& stroke : strokes) {
      pDC->MoveTo(stroke[0].x, stroke[0].y);
      pDC->LineTo(stroke[1].x, stroke[1].y);
    }
  }

  pDC->SelectObject(oldPen);
  pDC->SelectObject(oldBrush);
  pDC->SetBkMode(oldMode);
}
