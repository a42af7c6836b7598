// The loopback Google server: the Atom data API, the People face, OAuth sign-in and the control
// endpoint behind one HTTP listener on 127.0.0.1 (photos of the People face optionally on a second
// one), with the faults a test asked for applied on the way.
#pragma once

#include "tools/gdata-server/adminapi.h"
#include "tools/gdata-server/atom/contactsapi.h"
#include "tools/gdata-server/http/httpserver.h"
#include "tools/gdata-server/oauth/oauthapi.h"
#include "tools/gdata-server/people/contactgroupsapi.h"
#include "tools/gdata-server/people/peopleapi.h"

class GDataServer
{
public:
    explicit GDataServer(const QString &statePath);

    bool load(QString *error) { return m_state.load(error); }
    bool listen(quint16 port);
    quint16 port() const { return m_http.port(); }
    // The People face's photos on a port of their own: a second origin.
    bool listenForPhotos(quint16 port);
    quint16 photoPort() const { return m_photoHttp.port(); }
    void setIdBase(const QString &idBase) { m_urls.setIdBase(idBase); }
    void setPageSize(int size) { m_options.pageSize = size; }
    // An account with a few contacts and a group, unless the state already holds the account.
    void addDemoAccount(const QString &email, const QString &password);
    void addOAuthClient(const QString &id, const QString &secret);

private:
    HttpResponse handle(const HttpRequest &request);
    HttpResponse dispatch(const HttpRequest &request);
    HttpResponse people(const HttpRequest &request);
    HttpResponse injected(const Fault &fault, const QString &path) const;
    // The account a data request signs in with, for counting its writes in flight.
    QString mutatingAccount(const HttpRequest &request);

    ServerState m_state;
    ServerOptions m_options;
    FaultInjector m_faults;
    RequestLog m_log;
    ServerUrls m_urls;
    ContactsApi m_api;
    OAuthApi m_oauth;
    PeopleApi m_people;
    ContactGroupsApi m_groups;
    AdminApi m_admin;
    HttpServer m_http;
    HttpServer m_photoHttp;
};
