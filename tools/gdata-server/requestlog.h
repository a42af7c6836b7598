// The requests the server received, for tests to read: sign-in tokens, bearer tokens, passwords
// and the secrets of sign-in forms are replaced before anything is kept.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

#include <deque>

class RequestLog
{
public:
    // origin names a listener other than the main one ("photos").
    void record(const HttpRequest &request, const QString &origin = {});
    void clear();
    QJsonArray toJson() const;

    // A request that changes an account's data arrived, or its answer left.
    void mutationStarted(const QString &email);
    void mutationEnded(const QString &email);
    // The most such requests of each account that were in flight at once.
    QJsonObject mostMutationsInFlight() const;

private:
    std::deque<QJsonObject> m_entries;
    QHash<QString, int> m_inFlight;
    QHash<QString, int> m_mostInFlight;
};
