// The device context on a QImage.  Lines, rectangles and frames are set
// pixel by pixel here rather than through QPainter, because QPainter's
// rectangles are one pixel larger and its lines include their end point;
// the pad's frame, gripper and marks are specified to the pixel.
#include "framework/gdi.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstdlib>

#include "framework/resources.h"

namespace {

QRgb ToQRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF FromQRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

}  // namespace

// --- bitmaps and stock objects ----------------------------------------------

BOOL CBitmap::LoadBitmap(const CResources& res, const char* name) {
  m_name = QString::fromUtf8(name ? name : "");
  m_sized.clear();
  QImage img = res.Bitmap(m_name);
  m_resources = img.isNull() ? nullptr : &res;
  if (img.isNull()) return FALSE;
  m_image = img.convertToFormat(QImage::Format_RGB32);
  return TRUE;
}

QImage& CBitmap::ImageAt(int percent) {
  if (percent == CScale::kActualSize || m_image.isNull()) return m_image;
  QImage& sized = m_sized[percent];
  if (sized.isNull()) {
    const CScale scale{percent, {}};
    if (m_resources) {
      sized = m_resources->Bitmap(m_name, percent).convertToFormat(QImage::Format_RGB32);
    } else {
      sized = QImage(scale.Device(m_image.width()), scale.Device(m_image.height()), QImage::Format_RGB32);
      sized.fill(Qt::black);
    }
  }
  return sized;
}

BOOL CBitmap::LoadBitmap(const CResources& res, UINT id) {
  return LoadBitmap(res, QString::number(id).toUtf8().constData());
}

BOOL CBitmap::CreateCompatibleBitmap(int width, int height) {
  if (width <= 0 || height <= 0) {
    m_image = QImage();
    return FALSE;
  }
  m_image = QImage(width, height, QImage::Format_RGB32);
  m_resources = nullptr;
  m_sized.clear();
  if (m_image.isNull()) return FALSE;  // out of memory for an absurd size
  m_image.fill(Qt::black);
  return TRUE;
}

const CBrush* CBrush::Hollow() {
  static const CBrush hollow;  // immutable, holds no service
  return &hollow;
}

COLORREF GetSysColor(int index) {
  if (!qGuiApp) {
    switch (index) {
      case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
      case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
      case COLOR_BTNSHADOW: return RGB(160, 160, 160);
      default: return RGB(240, 240, 240);
    }
  }
  const QPalette pal = QGuiApplication::palette();
  QPalette::ColorRole role = QPalette::Button;
  switch (index) {
    case COLOR_WINDOWTEXT: role = QPalette::WindowText; break;
    case COLOR_BTNFACE: role = QPalette::Button; break;
    case COLOR_BTNHIGHLIGHT: role = QPalette::Light; break;
    case COLOR_BTNSHADOW: role = QPalette::Dark; break;
    default: break;
  }
  return FromQRgb(pal.color(QPalette::Active, role).rgb());
}

// --- the device context -----------------------------------------------------

QFont CDC::DefaultFont() {
  QFont f(QStringLiteral("IPAPGothic"));
  f.setPixelSize(12);
  return f;
}

CDC::CDC()
    : m_defaultPen(std::make_unique<CPen>(1, RGB(0, 0, 0))),
      m_defaultBrush(std::make_unique<CBrush>(RGB(255, 255, 255))),
      m_font(DefaultFont()) {}

CDC::CDC(QImage* target) : CDC() { m_target = target; }

CDC::~CDC() = default;

// A memory context draws at the size of the context it is made for; its
// bitmaps start at their own origin.
BOOL CDC::CreateCompatibleDC(CDC* other) {
  m_scale = CScale{other ? other->m_scale.percent : CScale::kActualSize, {}};
  m_target = nullptr;
  m_selectedBitmap = nullptr;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  m_target = nullptr;
  m_selectedBitmap = nullptr;
  return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  CBitmap* old = m_selectedBitmap;
  m_selectedBitmap = bitmap;
  m_target = bitmap ? &bitmap->ImageAt(m_scale.percent) : nullptr;
  return old;
}

CPen* CDC::SelectObject(CPen* pen) {
  CPen* old = m_pen ? m_pen : m_defaultPen.get();
  m_pen = pen;
  return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
  return const_cast<CBrush*>(SelectObject(static_cast<const CBrush*>(brush)));
}

const CBrush* CDC::SelectObject(const CBrush* brush) {
  const CBrush* old = m_brush ? m_brush : m_defaultBrush.get();
  m_brush = brush;
  return old;
}

COLORREF CDC::SetBkColor(COLORREF c) { std::swap(m_bkColor, c); return c; }
int CDC::SetBkMode(int mode) { std::swap(m_bkMode, mode); return mode; }
COLORREF CDC::SetTextColor(COLORREF c) { std::swap(m_textColor, c); return c; }

QImage* CDC::Image() const {
  return (m_target && !m_target->isNull()) ? m_target : nullptr;
}

const CPen& CDC::Pen() const { return m_pen ? *m_pen : *m_defaultPen; }
const CBrush& CDC::Brush() const { return m_brush ? *m_brush : *m_defaultBrush; }

void CDC::MapPainter(QPainter& p) const {
  if (m_scale.IsActualSize()) return;
  const double f = m_scale.Factor();
  // The window's origin falls inside a device pixel; the painter starts
  // where the pixel grid of Device() puts logical 0.
  p.translate(m_scale.origin.x * f - m_scale.Device(m_scale.origin.x),
              m_scale.origin.y * f - m_scale.Device(m_scale.origin.y));
  p.scale(f, f);
}

void CDC::Plot(int x, int y, COLORREF c) {
  if (!m_scale.IsActualSize()) {
    Span(x, x + 1, y, c);
    return;
  }
  QImage* img = Image();
  if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height()) return;
  if (img->depth() == 32) {
    reinterpret_cast<QRgb*>(img->scanLine(y))[x] = ToQRgb(c);
  } else {
    img->setPixel(x, y, ToQRgb(c));
  }
}

// Every device row of the logical row, over the device columns of x0..x1-1.
void CDC::Span(int x0, int x1, int y, COLORREF c) {
  if (m_scale.IsActualSize()) {  // the common case, in every repaint of a step
    DeviceSpan(x0, x1, y, c);
    return;
  }
  const int last = m_scale.ToDeviceY(y + 1);
  const int left = m_scale.ToDeviceX(x0), right = m_scale.ToDeviceX(x1);
  for (int row = m_scale.ToDeviceY(y); row < last; ++row) DeviceSpan(left, right, row, c);
}

void CDC::DeviceSpan(int x0, int x1, int y, COLORREF c) {
  QImage* img = Image();
  if (!img || y < 0 || y >= img->height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, img->width());
  if (x0 >= x1) return;
  if (img->depth() == 32) {
    // One row at once: every paint fills the bar's background this way,
    // and a pixel at a time (scanLine checks the image each call) made
    // the fills most of a repaint's cost.
    QRgb* row = reinterpret_cast<QRgb*>(img->scanLine(y));
    std::fill(row + x0, row + x1, ToQRgb(c));
  } else {
    for (int x = x0; x < x1; ++x) img->setPixel(x, y, ToQRgb(c));
  }
}

void CDC::FillSolidRect(const CRect& r, COLORREF c) {
  SetBkColor(c);
  for (int y = r.top; y < r.bottom; ++y) Span(r.left, r.right, y, c);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
  FillSolidRect(CRect(x, y, x + cx, y + cy), c);
}

void CDC::FillRect(const CRect& r, const CBrush* brush) {
  if (!brush || brush->IsHollow()) return;
  for (int y = r.top; y < r.bottom; ++y) Span(r.left, r.right, y, brush->Color());
}

void CDC::FrameRect(const CRect& r, const CBrush* brush) {
  if (!brush || brush->IsHollow() || r.IsRectEmpty()) return;
  const COLORREF c = brush->Color();
  Span(r.left, r.right, r.top, c);
  Span(r.left, r.right, r.bottom - 1, c);
  for (int y = r.top; y < r.bottom; ++y) {
    Plot(r.left, y, c);
    Plot(r.right - 1, y, c);
  }
}

// The top row and left column stop one pixel short; the bottom row and the
// right column are whole.  Like the original it leaves the last colour used
// as the background colour.
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

void CDC::Draw3dRect(const CRect& r, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(r.left, r.top, r.Width(), r.Height(), topLeft, bottomRight);
}

// Bresenham, start pixel drawn, end pixel not.
void CDC::Line(int x0, int y0, int x1, int y1, const CPen& pen) {
  if (pen.IsNull()) return;
  const int w = std::max(1, pen.Width());
  const int lo = -(w / 2);
  auto dot = [&](int x, int y) {
    for (int dy = lo; dy < lo + w; ++dy)
      for (int dx = lo; dx < lo + w; ++dx) Plot(x + dx, y + dy, pen.Color());
  };
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (!(x == x1 && y == y1)) {
    dot(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
}

CPoint CDC::MoveTo(int x, int y) {
  CPoint old = m_pos;
  m_pos = {x, y};
  return old;
}

BOOL CDC::LineTo(int x, int y) {
  Line(m_pos.x, m_pos.y, x, y, Pen());
  m_pos = {x, y};
  return TRUE;
}

BOOL CDC::Polyline(const CPoint* points, int count) {
  if (!points || count < 2) return FALSE;
  for (int i = 1; i < count; ++i) Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, Pen());
  return TRUE;
}

// Outline on columns l and r-1 and rows t and b-1, the inside in the
// brush.  Without a pen the fill covers one pixel less each way, as on the
// original platform.
BOOL CDC::Rectangle(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const CPen& pen = Pen();
  const CBrush& brush = Brush();
  if (pen.IsNull()) {
    FillRect(CRect(l, t, r - 1, b - 1), &brush);
    return TRUE;
  }
  FillRect(CRect(l + 1, t + 1, r - 1, b - 1), &brush);
  if (r - l < 1 || b - t < 1) return TRUE;
  Line(l, t, r - 1, t, pen);
  Line(r - 1, t, r - 1, b - 1, pen);
  Line(r - 1, b - 1, l, b - 1, pen);
  Line(l, b - 1, l, t, pen);
  return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  QImage* img = Image();
  if (!img || r - l < 1 || b - t < 1) return FALSE;
  QPainter p(img);
  p.setRenderHint(QPainter::Antialiasing, false);
  const CRect clip = m_scale.ToDevice(CRect(l, t, r, b));
  p.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));  // never outside the exclusive box
  MapPainter(p);
  const CPen& pen = Pen();
  const CBrush& brush = Brush();
  if (pen.IsNull()) p.setPen(Qt::NoPen);
  else p.setPen(QPen(QColor(ToQRgb(pen.Color())), 0));
  if (brush.IsHollow()) p.setBrush(Qt::NoBrush);
  else p.setBrush(QColor(ToQRgb(brush.Color())));
  p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
  return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, UINT rop) {
  (void)rop;  // only SRCCOPY is used
  QImage* dst = Image();
  QImage* from = src ? src->Image() : nullptr;
  if (!dst || !from || w <= 0 || h <= 0) return FALSE;
  if (!m_scale.IsActualSize() || !src->m_scale.IsActualSize()) {
    // Device pixels to device pixels: both contexts draw at one size.
    const CRect to = m_scale.ToDevice(CRect(x, y, x + w, y + h));
    CDC device(dst), source(from);
    return device.BitBlt(to.left, to.top, to.Width(), to.Height(), &source, src->m_scale.ToDeviceX(sx),
                         src->m_scale.ToDeviceY(sy), rop);
  }
  const QImage block = from->copy(sx, sy, w, h);  // outside parts come out black
  QPainter p(dst);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  // Only the part of the block that lies inside the source is copied.
  const QRect inside = QRect(sx, sy, w, h).intersected(from->rect());
  if (inside.isEmpty()) return TRUE;
  p.drawImage(QPoint(x + inside.x() - sx, y + inside.y() - sy), block,
              QRect(inside.x() - sx, inside.y() - sy, inside.width(), inside.height()));
  return TRUE;
}

CSize CDC::GetTextExtent(const QString& text) const {
  QFontMetrics fm(m_font);
  return {fm.horizontalAdvance(text), fm.height()};
}

BOOL CDC::TextOut(int x, int y, const QString& text) {
  QImage* img = Image();
  if (!img) return FALSE;
  QFontMetrics fm(m_font);
  QPainter p(img);
  MapPainter(p);
  if (m_bkMode == OPAQUE) {
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), QColor(ToQRgb(m_bkColor)));
  }
  p.setFont(m_font);
  p.setPen(QColor(ToQRgb(m_textColor)));
  p.drawText(QPoint(x, y + fm.ascent()), text);
  return TRUE;
}

BOOL CDC::DrawText(const QString& text, const CRect& r, int qtAlignment) {
  QImage* img = Image();
  if (!img) return FALSE;
  const QRect box(r.left, r.top, r.Width(), r.Height());
  QPainter p(img);
  MapPainter(p);
  p.setFont(m_font);
  if (m_bkMode == OPAQUE) {
    const QRect used = p.fontMetrics().boundingRect(box, qtAlignment, text);
    p.fillRect(used.intersected(box), QColor(ToQRgb(m_bkColor)));
  }
  p.setPen(QColor(ToQRgb(m_textColor)));
  p.drawText(box, qtAlignment, text);
  return TRUE;
}

COLORREF CDC::GetPixel(int x, int y) const {
  QImage* img = Image();
  x = m_scale.ToDeviceX(x);
  y = m_scale.ToDeviceY(y);
  if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height()) return 0xFFFFFFFFu;
  return FromQRgb(img->pixel(x, y));
}
