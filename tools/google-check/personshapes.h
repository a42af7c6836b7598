// What the checks read off a Person's JSON, the same in the read and the write checks.
#pragma once

#include <QJsonObject>
#include <QString>

// A resource name no account holds: the digits of a contact id, far beyond any given out.
inline constexpr char kUnknownPersonName[] = "people/c9999999999999999999";

// The first element of a person field, or an empty object.
QJsonObject firstOf(const QJsonObject &person, const char *field);
// The updateTime of the person's CONTACT source, the person's updated date to the service.
QString contactUpdateTime(const QJsonObject &person);
// Whether a person carries clientData items of the layer's own encoding.
bool hasOwnClientData(const QJsonObject &person);
