#pragma once

#include <QObject>
#include <QString>

// What the page's report script calls over the web channel: the address of a resource that
// finished or failed.
class ResourceReporter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE void finished(const QString &address) { emit resourceFinished(address); }
    Q_INVOKABLE void failed(const QString &address) { emit resourceFailed(address); }

signals:
    void resourceFinished(const QString &address);
    void resourceFailed(const QString &address);
};
