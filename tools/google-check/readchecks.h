// The read-only checks: what the account's lists, fields, photos, tokens and errors look like,
// in counts, timings and shapes only.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

class CheckApi;

QJsonObject checkGroups(CheckApi &api);
// The full list of contacts; persons gets them and syncToken the list's token.
QJsonObject checkConnections(CheckApi &api, QJsonArray *persons, QString *syncToken);
QJsonObject fieldPresence(const QJsonArray &persons);
// One photo that is not a default one, fetched without a token.
QJsonObject checkPhotoFetch(CheckApi &api, const QJsonArray &persons);
// A renewal of the access token, with renewedRefreshToken saying whether the endpoint handed out
// a new refresh token on the way.
QJsonObject checkTokenRefresh(CheckApi &api, const bool &renewedRefreshToken);
QJsonObject checkIncrementalList(CheckApi &api, const QString &syncToken);
QJsonObject checkMissingPerson(CheckApi &api);
