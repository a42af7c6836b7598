#pragma once

#include <QString>
#include <QVariantMap>

// The two lines that report a failed script at log levels above 0: its error message and its
// whole error information.
void logScriptError(const QString &cls, const QString &op, const QVariantMap &errorInfo);
