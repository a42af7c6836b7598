// The requests the server received, for tests to read: sign-in tokens and passwords are replaced
// before anything is kept.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"

#include <QJsonArray>

#include <deque>

class RequestLog
{
public:
    void record(const HttpRequest &request);
    void clear() { m_entries.clear(); }
    QJsonArray toJson() const;

private:
    std::deque<QJsonObject> m_entries;
};
