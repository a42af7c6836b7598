#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the user's web browser: records every address handed to it while it is the
// handler of the scheme.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    explicit UrlRecorder(const QString &scheme);
    ~UrlRecorder() override;

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }

private:
    QString m_scheme;
};
