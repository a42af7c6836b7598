#include "google/engine/googleoauthclient.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/keychain/keychain.h"
#include "platform/keychain/keychainitemref.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace googleoauthclient {

std::optional<GoogleOAuthClient> currentClient()
{
    const QString id = UserDefaults::standard().stringForKey(googlekeys::googleOAuthClientID);
    if (id.trimmed().isEmpty())
        return std::nullopt;
    const std::unique_ptr<EMGenericKeychainItem> item =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(kKeychainService, id);
    return GoogleOAuthClient{id, item ? item->password() : QString()};
}

std::optional<GoogleOAuthClient> readClientFile(const QByteArray &contents, QString *why)
{
    const auto refuse = [why](const QString &reason) -> std::optional<GoogleOAuthClient> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(contents, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(QStringLiteral("The file is not a client file downloaded from Google."));
    const QJsonObject installed = document.object().value(QLatin1String("installed")).toObject();
    if (installed.isEmpty())
        return refuse(QStringLiteral("The file holds no client of the type \"Desktop app\". "
                                     "Create one in your Google Cloud project and download it."));
    const QString id = installed.value(QLatin1String("client_id")).toString().trimmed();
    const QString secret = installed.value(QLatin1String("client_secret")).toString().trimmed();
    if (id.isEmpty() || secret.isEmpty())
        return refuse(QStringLiteral("The client file lacks the client's ID or its secret."));
    return GoogleOAuthClient{id, secret};
}

bool storeClient(const GoogleOAuthClient &client)
{
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    KeychainStatus status = KeychainStatus::Success;
    const std::unique_ptr<EMGenericKeychainItem> item =
        proxy.genericKeychainItemForService(kKeychainService, client.clientId, &status);
    bool kept = false;
    if (item)
        kept = item->password() == client.clientSecret || item->setPassword(client.clientSecret);
    else if (status == KeychainStatus::ItemNotFound)
        kept = proxy.addGenericKeychainItemForService(kKeychainService, client.clientId,
                                                      client.clientSecret) != nullptr;
    if (!kept)
        return false;
    UserDefaults &defaults = UserDefaults::standard();
    const QString previous = defaults.stringForKey(googlekeys::googleOAuthClientID);
    defaults.setString(client.clientId, googlekeys::googleOAuthClientID);
    // The secret of a client no longer in use has no reason to stay.
    if (!previous.isEmpty() && previous != client.clientId)
        keychain::deletePassword(genericItemRef(kKeychainService, previous));
    return true;
}

void clearClient()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString id = defaults.stringForKey(googlekeys::googleOAuthClientID);
    if (!id.isEmpty())
        keychain::deletePassword(genericItemRef(kKeychainService, id));
    // A built-in client answers again once the imported one is gone.
    defaults.removeObjectForKey(googlekeys::googleOAuthClientID);
}

} // namespace googleoauthclient
