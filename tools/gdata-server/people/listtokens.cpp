#include "tools/gdata-server/people/listtokens.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr auto kEncoding = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

QString encoded(const QJsonObject &object)
{
    return QString::fromLatin1(
        QJsonDocument(object).toJson(QJsonDocument::Compact).toBase64(kEncoding));
}

std::optional<QJsonObject> decoded(const QString &text)
{
    const auto bytes = QByteArray::fromBase64Encoding(
        text.toLatin1(), kEncoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.decoded);
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

namespace listtokens {

QString pageToken(const Page &page)
{
    return encoded({{"o", page.offset}, {"t", page.startedMs}});
}

std::optional<Page> readPageToken(const QString &text, qint64 nowMs)
{
    if (text.isEmpty())
        return Page{0, nowMs};
    const auto object = decoded(text);
    if (!object || !object->value("o").isDouble() || object->value("o").toInt(-1) < 0)
        return std::nullopt;
    return Page{object->value("o").toInt(), object->value("t").toInteger()};
}

QString syncToken(const QString &email, const QString &kind, qint64 sinceMs, qint64 nowMs)
{
    return encoded({{"a", email}, {"k", kind}, {"s", sinceMs}, {"i", nowMs}});
}

std::optional<Sync> readSyncToken(const QString &text, const QString &email, const QString &kind)
{
    const auto object = decoded(text);
    if (!object || object->value("a").toString() != email || object->value("k").toString() != kind)
        return std::nullopt;
    return Sync{object->value("s").toInteger(), object->value("i").toInteger()};
}

} // namespace listtokens
