#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// A failure as the standard error report shows and logs it. Any field may be missing (a null
// text, an empty list or dictionary).
struct ErrorInfo
{
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString failureReason;
    QString recoverySuggestion;
    QStringList recoveryOptions; // button titles, in order
    QVariantMap userInfo;
};
