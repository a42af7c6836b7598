#include "platform/gdata/oauth/oauthpkce.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace {

constexpr char kUnreserved[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
constexpr int kVerifierLength = 64;
constexpr int kStateLength = 32;

QString randomText(int length)
{
    constexpr int alphabet = int(sizeof(kUnreserved)) - 1;
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text += QLatin1Char(kUnreserved[QRandomGenerator::system()->bounded(alphabet)]);
    return text;
}

} // namespace

QString makeOAuthCodeVerifier()
{
    return randomText(kVerifierLength);
}

QString oauthCodeChallenge(const QString &verifier)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(verifier.toLatin1(), QCryptographicHash::Sha256)
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString makeOAuthState()
{
    return randomText(kStateLength);
}
