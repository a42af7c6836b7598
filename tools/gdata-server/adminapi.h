// The control endpoint under /_admin for tests and the demo: accounts, seeding, reading entries
// and the request log, faults and options, reset; OAuth clients, tokens minted without the
// browser, and entries as the People face shows them.
#pragma once

#include "tools/gdata-server/entryoperations.h"
#include "tools/gdata-server/faultinjector.h"
#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/oauth/oauthapi.h"
#include "tools/gdata-server/requestlog.h"

class AdminApi
{
public:
    AdminApi(ServerState &state, ServerOptions &options, FaultInjector &faults, RequestLog &log,
             const ServerUrls &urls, OAuthApi &oauth)
        : m_state(state)
        , m_options(options)
        , m_faults(faults)
        , m_log(log)
        , m_urls(urls)
        , m_oauth(oauth)
        , m_operations(state, options)
    {}

    static bool handles(const HttpRequest &request);
    HttpResponse handle(const HttpRequest &request);

private:
    HttpResponse seed(const HttpRequest &request, Account &account, Account::Collection collection);
    HttpResponse generate(const HttpRequest &request, Account &account);
    HttpResponse putPhoto(const HttpRequest &request, Account &account);
    HttpResponse entries(Account &account, Account::Collection collection);
    HttpResponse oauth(const QString &action, const QJsonObject &body);
    HttpResponse person(const HttpRequest &request, Account &account);
    HttpResponse seedPerson(const HttpRequest &request, Account &account);

    ServerState &m_state;
    ServerOptions &m_options;
    FaultInjector &m_faults;
    RequestLog &m_log;
    const ServerUrls &m_urls;
    OAuthApi &m_oauth;
    EntryOperations m_operations;
};
