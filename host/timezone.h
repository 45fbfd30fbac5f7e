// Observer library: the standard time zone of a place.
#pragma once

#include "framework/wnd.h"

class CTimeZone {
 public:
  CTimeZone();
  ~CTimeZone();
  BOOL Create(CWnd* parent);
  // Standard (not daylight-saving) offset in hours of the place at
  // longitude 0..360 (east) and latitude -90..90.
  double GetTimeZone(double longitude, double latitude) const;

 private:
  CWnd* m_parent = nullptr;
};
