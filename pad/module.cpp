// The pad module's entry: registers the resources compiled into the
// library as soon as the library is loaded, before any host code can ask
// for a template, a string or a bitmap, and refuses to load without them.
#include "pad/module.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>

// Q_INIT_RESOURCE and Q_CLEANUP_RESOURCE declare the resource compiler's
// functions in the enclosing scope, so they must be used outside any
// namespace.
static void RegisterQelpadResources() { Q_INIT_RESOURCE(qelpad); }
static void UnregisterQelpadResources() { Q_CLEANUP_RESOURCE(qelpad); }

QString QelpadResourcePrefix() { return QStringLiteral(":/qelpad/"); }

bool QelpadResourcesReadable(const QString& prefix, QString* why) {
  QFile script(prefix + QStringLiteral("resources.rc"));
  QString failure;
  if (!script.exists()) {
    failure = QStringLiteral("%1 is missing").arg(script.fileName());
  } else if (!script.open(QIODevice::ReadOnly)) {
    failure = QStringLiteral("%1: %2").arg(script.fileName(), script.errorString());
  } else if (script.read(1).isEmpty()) {
    failure = QStringLiteral("%1 is empty").arg(script.fileName());
  }
  if (why) *why = failure;
  return failure.isEmpty();
}

void QelpadRequireResources(const QString& prefix) {
  QString why;
  if (QelpadResourcesReadable(prefix, &why)) return;
  std::fprintf(stderr, "qelpad: cannot register the pad's resources: %s\n",
               why.toLocal8Bit().constData());
  std::fflush(stderr);
  // _Exit: the library is half loaded, so no exit handlers or destructors
  // of other modules should run on its behalf.
  std::_Exit(EXIT_FAILURE);
}

namespace {

// Constructed when the library is loaded, destroyed when it is unloaded:
// the counterpart of a module's attach and detach.
struct CModuleEntry {
  CModuleEntry() {
    RegisterQelpadResources();
    QelpadRequireResources(QelpadResourcePrefix());
  }
  ~CModuleEntry() { UnregisterQelpadResources(); }
  CModuleEntry(const CModuleEntry&) = delete;
  CModuleEntry& operator=(const CModuleEntry&) = delete;
};

const CModuleEntry g_moduleEntry;

}  // namespace
