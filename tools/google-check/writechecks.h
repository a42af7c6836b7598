// The checks that write: in a contact group of the check's own, it makes contacts, changes them
// in the ways the service does and records how Google answers, then deletes every contact and
// group it made (whatever step failed, or after a Ctrl-C) and checks that they are gone.
#pragma once

#include "tools/google-check/checkapi.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

class WriteChecks
{
public:
    // syncToken: the token of the read checks' full list, taken before anything was made.
    WriteChecks(CheckApi &api, const QString &syncToken, int batch);

    QJsonObject run();

private:
    CheckReply createGroup();
    QJsonObject duplicateGroupName();
    QJsonObject createdOrder();
    QJsonObject timeToShow(const QString &person);
    QJsonObject staleEtag(const QString &person);
    QJsonObject carriageReturn(const QString &person);
    QJsonObject clientDataLimits(const QString &person);
    QJsonObject unstructuredValues(const QString &person);
    QJsonObject deprecatedGroupMember(const QString &person);
    QJsonObject pngPhoto(const QString &person);
    QJsonObject deleteWithUnknownName(const QString &person);
    QJsonObject tombstone(const QString &person);
    QJsonObject timedBatch();
    QJsonObject cleanUp();

    // The made persons' resource names, from a batch create's answer.
    QStringList created(const QJsonObject &answer);
    QJsonObject person(int index) const;
    QJsonObject get(const QString &name, const QString &fields);
    QString etagOf(const QString &name);
    struct Update
    {
        int status = 0;
        QJsonObject error;
        QJsonObject person;
    };
    Update update(const QString &name, QJsonObject fields, const QString &mask,
                  const QString &etag = {});
    bool isGone(const QString &name);

    CheckApi &m_api;
    QString m_syncToken;
    int m_batch;
    QString m_runMark;
    QString m_group;
    QStringList m_people;
    QStringList m_groups;
};
