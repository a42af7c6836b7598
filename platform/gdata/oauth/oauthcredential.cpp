#include "platform/gdata/oauth/oauthcredential.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kCredentialVersion = 1;

// The text as a JSON string, quotes and escapes included.
QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

QString serializeOAuthCredential(const OAuthCredential &credential)
{
    // Written by hand to keep the item's keys in their documented order (QJsonObject sorts them).
    return QStringLiteral("{\"v\":%1,\"clientId\":%2,\"refreshToken\":%3,\"scope\":%4}")
        .arg(kCredentialVersion)
        .arg(jsonString(credential.clientId), jsonString(credential.refreshToken),
             jsonString(credential.scope));
}

std::optional<OAuthCredential> parseOAuthCredential(const QString &secret, const QString &clientId)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(secret.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(QLatin1String("v"));
    if (!version.isDouble() || version.toDouble() != kCredentialVersion)
        return std::nullopt;
    const QJsonValue client = object.value(QLatin1String("clientId"));
    const QJsonValue refresh = object.value(QLatin1String("refreshToken"));
    const QJsonValue scope = object.value(QLatin1String("scope"));
    if (!client.isString() || !refresh.isString() || refresh.toString().isEmpty() ||
        (!scope.isString() && !scope.isUndefined()))
        return std::nullopt;
    if (clientId.isEmpty() || client.toString() != clientId)
        return std::nullopt;
    return OAuthCredential{client.toString(), refresh.toString(), scope.toString()};
}
