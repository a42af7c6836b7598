// A contact's photo: GET the bytes, PUT raw image bytes or a multipart/related entry and image,
// DELETE; If-Match, when given, must name the photo stored.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/serveroptions.h"
#include "tools/gdata-server/serverstate.h"
#include "tools/gdata-server/serverurls.h"

class PhotoHandler
{
public:
    PhotoHandler(ServerState &state, const ServerOptions &options, const ServerUrls &urls)
        : m_state(state)
        , m_options(options)
        , m_urls(urls)
    {}

    HttpResponse handle(const QByteArray &method, const HttpRequest &request, Account &account,
                        const QString &localId);

private:
    HttpResponse put(const HttpRequest &request, Account &account, StoredEntry &stored);
    HttpResponse remove(const HttpRequest &request, StoredEntry &stored);
    void photoChanged(StoredEntry &stored);

    ServerState &m_state;
    const ServerOptions &m_options;
    const ServerUrls &m_urls;
};
