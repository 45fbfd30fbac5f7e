// The size a window tree is drawn at: how its logical pixels (the
// coordinates every handler and drawing call uses) reach device pixels.
//
// Logical pixel x of the scaled root covers the device pixels from
// Device(x) up to Device(x + 1), so that at 150 % the pixels alternate one
// and two device pixels wide and nothing is blurred.  A child maps through
// its place in the root (`origin`), so that a pixel of the child and the
// same pixel of its parent cover the same device pixels; a click on any
// device pixel then lands in the one logical pixel that drew it.
#pragma once

#include "framework/wintypes.h"

struct CScale {
  static constexpr int kActualSize = 100;
  int percent = kActualSize;  // device pixels per hundred logical ones
  CPoint origin;              // the window's client origin in the root's logical pixels

  static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
  // The first device pixel of logical coordinate x of the root.
  int Device(int x) const { return FloorDiv(x * percent, kActualSize); }
  // The logical coordinate of the root whose pixel covers device pixel d.
  int Logical(int d) const { return -FloorDiv(-(d + 1) * kActualSize, percent) - 1; }

  bool IsActualSize() const { return percent == kActualSize; }
  double Factor() const { return percent / double(kActualSize); }
  // Window coordinates to device pixels of the window's own surface, and
  // back (the logical pixel that covers a device pixel).
  int ToDeviceX(int x) const { return Device(origin.x + x) - Device(origin.x); }
  int ToDeviceY(int y) const { return Device(origin.y + y) - Device(origin.y); }
  int ToLogicalX(int d) const { return Logical(Device(origin.x) + d) - origin.x; }
  int ToLogicalY(int d) const { return Logical(Device(origin.y) + d) - origin.y; }
  CRect ToDevice(const CRect& r) const {
    return CRect(ToDeviceX(r.left), ToDeviceY(r.top), ToDeviceX(r.right), ToDeviceY(r.bottom));
  }
};
