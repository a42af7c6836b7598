// One call of the People API as the planners describe it; the service sends it under the api root.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrlQuery>

struct PeopleRequest
{
    QByteArray verb; // GET, POST, PUT, DELETE
    QString path;    // below the api root, e.g. "v1/people:batchCreateContacts"
    QUrlQuery query;
    QJsonObject body; // empty for GET and DELETE
};
