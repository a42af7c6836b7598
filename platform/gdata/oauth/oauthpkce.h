// The proof key of an authorization code (S256) and the random state that ties the browser's
// answer to the request that asked for it.
#pragma once

#include <QString>

// 64 characters of the unreserved set, from the system's random source.
QString makeOAuthCodeVerifier();
// base64url(SHA-256(verifier)) without padding.
QString oauthCodeChallenge(const QString &verifier);
QString makeOAuthState();
