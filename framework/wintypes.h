// Plain types, constants and geometry of the window layer.
//
// The pad was written against a window system whose vocabulary (BOOL, UINT,
// COLORREF, CRect with exclusive right/bottom, message numbers) runs through
// every algorithm.  Keeping those names lets the pad's code read like its
// design; everything here is plain data, no Qt.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr COLORREF RGB(int r, int g, int b) {
  return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xFF); }

constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return LPARAM(std::uint32_t(std::uint16_t(lo)) | (std::uint32_t(std::uint16_t(hi)) << 16));
}
constexpr int GET_X_LPARAM(LPARAM lp) { return int(std::int16_t(lp & 0xFFFF)); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return int(std::int16_t((lp >> 16) & 0xFFFF)); }
constexpr WPARAM MAKEWPARAM(UINT lo, UINT hi) {
  return WPARAM((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr UINT LOWORD(std::uintptr_t v) { return UINT(v & 0xFFFF); }
constexpr UINT HIWORD(std::uintptr_t v) { return UINT((v >> 16) & 0xFFFF); }

struct CPoint {
  int x = 0, y = 0;
  CPoint() = default;
  constexpr CPoint(int x_, int y_) : x(x_), y(y_) {}
  friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
  int cx = 0, cy = 0;
  CSize() = default;
  constexpr CSize(int w, int h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

// A rectangle covers the pixels left..right-1 and top..bottom-1.
struct CRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr BOOL PtInRect(CPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  constexpr void SetRectEmpty() { left = top = right = bottom = 0; }
  friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

// Window messages the layer delivers (values as on the original platform).
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_CTLCOLOR = 0x0019;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_USER = 0x0400;

// Key-state flags of mouse messages.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;
constexpr UINT MK_MBUTTON = 0x0010;

// Virtual-key codes of WM_KEYDOWN / WM_KEYUP (wParam).  The high word of
// lParam carries the key flags: KF_REPEAT on a key-down the system repeats
// while the key stays down.
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT KF_REPEAT = 0x4000;

// Message boxes.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Control colour kinds for OnCtlColor.
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_STATIC = 6;

// Button notification.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT EN_CHANGE = 0x0300;

// ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Control-bar styles.
constexpr UINT CBRS_BORDER_LEFT = 0x0100;
constexpr UINT CBRS_BORDER_TOP = 0x0200;
constexpr UINT CBRS_BORDER_RIGHT = 0x0400;
constexpr UINT CBRS_BORDER_BOTTOM = 0x0800;
constexpr UINT CBRS_TOOLTIPS = 0x0010;
constexpr UINT CBRS_FLYBY = 0x0020;
constexpr UINT CBRS_ALIGN_TOP = 0x2000;
constexpr UINT CBRS_GRIPPER = 0x00400000;

// System colours.
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNHIGHLIGHT = 20;
