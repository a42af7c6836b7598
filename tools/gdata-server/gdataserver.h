// The loopback Google Contacts server: the data API and its control endpoint behind one HTTP
// listener on 127.0.0.1, with the faults a test asked for applied on the way.
#pragma once

#include "tools/gdata-server/adminapi.h"
#include "tools/gdata-server/atom/contactsapi.h"
#include "tools/gdata-server/http/httpserver.h"

class GDataServer
{
public:
    explicit GDataServer(const QString &statePath);

    bool load(QString *error) { return m_state.load(error); }
    bool listen(quint16 port);
    quint16 port() const { return m_http.port(); }
    void setIdBase(const QString &idBase) { m_urls.setIdBase(idBase); }
    void setPageSize(int size) { m_options.pageSize = size; }
    // An account with a few contacts and a group, unless the state already holds the account.
    void addDemoAccount(const QString &email, const QString &password);

private:
    HttpResponse handle(const HttpRequest &request);

    ServerState m_state;
    ServerOptions m_options;
    FaultInjector m_faults;
    RequestLog m_log;
    ServerUrls m_urls;
    ContactsApi m_api;
    AdminApi m_admin;
    HttpServer m_http;
};
