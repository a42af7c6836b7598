// The lexical stage of the People protocol: reply bytes to a JSON object, and back. Any input is
// safe: what is not one JSON object (an HTML page, a truncated body) gives an error, never a crash.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace peoplejson {

std::optional<QJsonObject> parseObject(const QByteArray &body, QString *error = nullptr);
QByteArray compact(const QJsonObject &object);

// The value of key as a string, or nothing when it is missing or of another type.
std::optional<QString> stringValue(const QJsonObject &object, const QString &key);

// The texts of a JSON value's parts, for text that parseObject took: of an object, each member's
// key as written (without its quotes) and the text of its value, in order; of an array, each
// item's text. Nothing when the text is not of that kind.
std::optional<std::vector<std::pair<QByteArrayView, QByteArrayView>>>
memberTexts(QByteArrayView object);
std::optional<std::vector<QByteArrayView>> itemTexts(QByteArrayView array);
// The text of the value of the object's member of that key as written; nothing when the text is
// no object, or holds the key not exactly once.
std::optional<QByteArrayView> memberText(QByteArrayView object, QByteArrayView key);

// Whether the text is one JSON value in the plain form that the scanner above and the decoding
// below read exactly as Qt's parser does: well-formed UTF-8 without byte order marks or control
// characters, escapes that decode to whole characters, numbers of a few digits without exponent,
// and little nesting. Text of any other form is left to Qt's parser.
bool isPlainJSON(QByteArrayView text);
// The text of a JSON string (quotes included) in text that isPlainJSON took, decoded.
QString decodeString(QByteArrayView quoted);

} // namespace peoplejson
