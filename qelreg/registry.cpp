// Settings in the user's INI file (see registry.h for where it lives).
#include "host/registry.h"

#include <QSettings>

namespace {

// "General" is the INI file's group of keys without a group: Qt writes a
// key "General/X" as [%General], so such keys are read without a prefix.
QString KeyOf(const char* section, const char* entry) {
  const QString s = QString::fromUtf8(section ? section : "");
  const QString e = QString::fromUtf8(entry ? entry : "");
  if (s.isEmpty() || s.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) return e;
  return s + u'/' + e;
}

}  // namespace

CRegistry::CRegistry() = default;
CRegistry::~CRegistry() = default;

// Scope 1 is the user's settings; any other scope reads the system-wide
// file (/etc/xdg/Lumira/Lumira.ini).  Returns TRUE when the value was there.
BOOL CRegistry::Read(const char* section, const char* entry, int defaultValue, int* value, int scope) {
  if (!value) return FALSE;
  *value = defaultValue;
  if (!entry || !*entry) return FALSE;
  QSettings settings(QSettings::IniFormat, scope == 1 ? QSettings::UserScope : QSettings::SystemScope,
                     QStringLiteral("Lumira"), QStringLiteral("Lumira"));
  const QVariant v = settings.value(KeyOf(section, entry));
  if (!v.isValid()) return FALSE;
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  if (!ok) return FALSE;
  *value = n;
  return TRUE;
}

BOOL CRegistry::Write(const char* section, const char* entry, int value) {
  if (!entry || !*entry) return FALSE;
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Lumira"),
                     QStringLiteral("Lumira"));
  settings.setValue(KeyOf(section, entry), value);
  settings.sync();
  return settings.status() == QSettings::NoError ? TRUE : FALSE;
}
