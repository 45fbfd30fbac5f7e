// The pad module's load-time entry and the place of its resources.
//
// Loading libqelpad registers the module's resource script and bitmaps
// with Qt's resource system; a host then builds its own CResources from
// QelpadResourcePrefix() (CResources::Load).
#pragma once

#include <QString>

// ":/qelpad/": where the pad module's resources are registered.
QString QelpadResourcePrefix();

// Whether the resource script under `prefix` exists and can be read;
// `why` says what failed.
bool QelpadResourcesReadable(const QString& prefix, QString* why);

// The check made at load: when the resources under `prefix` cannot be
// read, prints "qelpad: cannot register the pad's resources: <why>" to
// stderr and ends the process with exit status 1, so the load fails.
void QelpadRequireResources(const QString& prefix);
