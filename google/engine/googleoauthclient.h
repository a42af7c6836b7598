// The OAuth client the People protocol signs in with: the installed application a user registers
// with Google and imports from the file Google hands out. Its ID is a preference; its secret stays
// out of preference files, in the keyring under a service of its own with the ID as account.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct GoogleOAuthClient
{
    QString clientId;
    QString clientSecret;
};

namespace googleoauthclient {

inline const QString kKeychainService = QStringLiteral("Tolvane Google Client");

// The client in use: the preference's ID (a built-in one unless the user imported another) and
// its secret from the keyring (empty when none is kept). Nothing without an ID.
std::optional<GoogleOAuthClient> currentClient();

// The client of a downloaded client file ({"installed": {"client_id", "client_secret", ...}});
// nothing, and why in words for the person, when the file holds no desktop client.
std::optional<GoogleOAuthClient> readClientFile(const QByteArray &contents, QString *why);

// Makes the client the one in use; false, with nothing changed, when the keyring refused the
// secret.
bool storeClient(const GoogleOAuthClient &client);

// Forgets the imported client and its secret.
void clearClient();

} // namespace googleoauthclient
