// Drawing objects and the device context, with the original platform's
// pixel rules: rectangles exclude their right and bottom edges, lines
// exclude their end point, Rectangle() outlines inside its box.  QPainter
// differs by a pixel here and there, so the conversion is made once, in
// gdi.cpp, and nowhere else.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <memory>

#include <map>

#include "framework/scale.h"
#include "framework/wintypes.h"

class CResources;
class QPainter;

class CGdiObject {
 public:
  virtual ~CGdiObject() = default;
};

// A bitmap: a QImage the layer can load from resources or create blank.
class CBitmap : public CGdiObject {
 public:
  CBitmap() = default;
  // Loads the named ("DATEU") or numbered (6233) bitmap of the resources.
  BOOL LoadBitmap(const CResources& res, const char* name);
  BOOL LoadBitmap(const CResources& res, UINT id);
  BOOL CreateCompatibleBitmap(int width, int height);
  CSize GetSize() const { return {m_image.width(), m_image.height()}; }
  BOOL IsNull() const { return m_image.isNull(); }
  QImage& Image() { return m_image; }
  const QImage& Image() const { return m_image; }
  // The picture for a context drawn at `percent`: a resource bitmap in its
  // drawing for that size, a blank one at that many device pixels.
  QImage& ImageAt(int percent);
  const QImage& ImageAt(int percent) const { return const_cast<CBitmap*>(this)->ImageAt(percent); }

 private:
  QImage m_image;
  const CResources* m_resources = nullptr;  // where a loaded bitmap came from
  QString m_name;
  std::map<int, QImage> m_sized;  // the pictures at other sizes, made when first drawn
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int width, COLORREF color) { CreatePen(width, color); }
  BOOL CreatePen(int width, COLORREF color) { m_width = width; m_color = color; m_null = false; return TRUE; }
  int Width() const { return m_width; }
  COLORREF Color() const { return m_color; }
  bool IsNull() const { return m_null; }

 private:
  int m_width = 1;
  COLORREF m_color = 0;
  bool m_null = true;
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) { m_color = color; m_hollow = false; return TRUE; }
  COLORREF Color() const { return m_color; }
  bool IsHollow() const { return m_hollow; }
  // The stock hollow brush (NULL_BRUSH): fills nothing.
  static const CBrush* Hollow();

 private:
  COLORREF m_color = 0;
  bool m_hollow = true;
};

using HBRUSH = const CBrush*;

constexpr UINT SRCCOPY = 0x00CC0020;

// A device context paints into a QImage: the selected bitmap of a memory
// context, or the backing surface of a window (CWnd::GetDC, CPaintDC).
// Defaults as on the original platform: black pen, white brush, white
// background colour, opaque background mode, black text.
class CDC {
 public:
  CDC();
  explicit CDC(QImage* target);
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Memory context: draws into whatever bitmap is selected.
  BOOL CreateCompatibleDC(CDC* other);
  BOOL DeleteDC();

  CBitmap* SelectObject(CBitmap* bitmap);
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  const CBrush* SelectObject(const CBrush* brush);

  COLORREF SetBkColor(COLORREF c);
  COLORREF GetBkColor() const { return m_bkColor; }
  int SetBkMode(int mode);
  int GetBkMode() const { return m_bkMode; }
  COLORREF SetTextColor(COLORREF c);
  COLORREF GetTextColor() const { return m_textColor; }

  void FillSolidRect(const CRect& r, COLORREF c);  // also sets the bk colour, as the original does
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
  void FillRect(const CRect& r, const CBrush* brush);
  void FrameRect(const CRect& r, const CBrush* brush);
  void Draw3dRect(const CRect& r, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  BOOL Rectangle(int l, int t, int r, int b);
  BOOL Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
  BOOL Ellipse(int l, int t, int r, int b);
  BOOL Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  BOOL Polyline(const CPoint* points, int count);
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, UINT rop = SRCCOPY);
  // Text in the context's font, colour and background mode, top-left at (x, y).
  BOOL TextOut(int x, int y, const QString& text);
  // Text laid out in a rectangle with Qt alignment flags (Qt::AlignRight |
  // Qt::AlignTop...); opaque mode fills the text's own box only.
  BOOL DrawText(const QString& text, const CRect& r, int qtAlignment);
  CSize GetTextExtent(const QString& text) const;
  void SetFont(const QFont& font) { m_font = font; }
  const QFont& GetFont() const { return m_font; }
  // The layer's default font: the dialogs' font at 9 points (12 pixels).
  static QFont DefaultFont();

  COLORREF GetPixel(int x, int y) const;
  QImage* Target() const { return m_target; }
  // The size the context draws at; logical coordinates in, device pixels
  // of the target out.  A window's context takes its window's.
  void SetScale(const CScale& scale) { m_scale = scale; }
  const CScale& Scale() const { return m_scale; }

 private:
  QImage* m_target = nullptr;
  CBitmap* m_selectedBitmap = nullptr;
  CPen* m_pen = nullptr;
  const CBrush* m_brush = nullptr;
  CPoint m_pos;
  COLORREF m_bkColor = RGB(255, 255, 255);
  COLORREF m_textColor = RGB(0, 0, 0);
  int m_bkMode = OPAQUE;
  std::unique_ptr<CPen> m_defaultPen;
  std::unique_ptr<CBrush> m_defaultBrush;
  QFont m_font;
  CScale m_scale;

  QImage* Image() const;
  // A painter on the target that takes logical coordinates.
  void MapPainter(QPainter& p) const;
  void Plot(int x, int y, COLORREF c);
  void Span(int x0, int x1, int y, COLORREF c);  // x0..x1-1
  void DeviceSpan(int x0, int x1, int y, COLORREF c);  // in the target's own pixels
  void Line(int x0, int y0, int x1, int y1, const CPen& pen);  // excludes (x1, y1)
  const CPen& Pen() const;
  const CBrush& Brush() const;
};

// System colours from the desktop palette (WindowText, Button, Light, Dark).
COLORREF GetSysColor(int index);
