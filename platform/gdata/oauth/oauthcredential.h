// What the keychain item of a People account holds in place of a password: the OAuth client the
// grant belongs to, its refresh token and the scopes granted, as one small JSON text.
#pragma once

#include <QString>

#include <optional>

struct OAuthCredential
{
    QString clientId;
    QString refreshToken;
    QString scope;
};

// The item's text: {"v":1,"clientId":…,"refreshToken":…,"scope":…}.
QString serializeOAuthCredential(const OAuthCredential &credential);

// Nothing for anything but a credential of this format for the client in use: an old password,
// a text of another version or without a refresh token, or a grant to another client cannot sign
// in, and the account counts as refused.
std::optional<OAuthCredential> parseOAuthCredential(const QString &secret, const QString &clientId);
