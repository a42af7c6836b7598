// The lexical stage of the People protocol: reply bytes to a JSON object, and back. Any input is
// safe: what is not one JSON object (an HTML page, a truncated body) gives an error, never a crash.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace peoplejson {

std::optional<QJsonObject> parseObject(const QByteArray &body, QString *error = nullptr);
QByteArray compact(const QJsonObject &object);

// The value of key as a string, or nothing when it is missing or of another type.
std::optional<QString> stringValue(const QJsonObject &object, const QString &key);

} // namespace peoplejson
