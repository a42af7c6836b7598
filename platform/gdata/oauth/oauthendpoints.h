// Where the sign-in goes: Google's authorization, token and revocation endpoints, or the same paths
// under a base URL (the loopback server).
#pragma once

#include <QUrl>

struct OAuthEndpoints
{
    QUrl authorization;
    QUrl token;
    QUrl revoke;
};

OAuthEndpoints oauthEndpointsForBaseURL(const QUrl &baseUrl);
