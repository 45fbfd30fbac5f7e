#include "host/timezone.h"

#include "qelobs/zone_lookup.h"

CTimeZone::CTimeZone() = default;
CTimeZone::~CTimeZone() = default;

BOOL CTimeZone::Create(CWnd* parent) {
  // The lookup needs no window; the parent is only kept.
  m_parent = parent;
  return TRUE;
}

double CTimeZone::GetTimeZone(double longitude, double latitude) const {
  return qelobs::StandardZoneOf(longitude, latitude);
}
