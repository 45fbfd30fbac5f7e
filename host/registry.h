// Registry library: the application's settings.
#pragma once

#include <QObject>
#include <QString>

#include "framework/wintypes.h"

// Settings live in QSettings' INI file of organisation "Lumira",
// application "Lumira" (~/.config/Lumira/Lumira.ini on Linux).  A section
// "General" is the INI file's [General] group: keys without a group.
class CRegistry {
 public:
  CRegistry();
  ~CRegistry();
  // Stores the value of `entry` in `section`, or `defaultValue` when it is
  // absent or not a number, at `value`; returns TRUE when the value was
  // there.  `scope` 1 reads the user's file, any other scope the
  // system-wide one (/etc/xdg/Lumira/Lumira.ini).
  static BOOL Read(const char* section, const char* entry, int defaultValue, int* value, int scope);
  static BOOL Write(const char* section, const char* entry, int value);

 private:
  QString m_strKey;
};
