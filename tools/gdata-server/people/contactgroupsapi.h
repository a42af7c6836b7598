// The People face's contact groups: the system groups by name (myContacts, friends, family,
// coworkers, starred, all) and the account's own groups, listed, read, made, renamed and removed.
#pragma once

#include "tools/gdata-server/entryoperations.h"
#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/people/peoplecontext.h"

#include <QJsonObject>
#include <QUrlQuery>

class ContactGroupsApi
{
public:
    ContactGroupsApi(ServerState &state, const ServerOptions &options, const ServerUrls &urls)
        : m_state(state)
        , m_options(options)
        , m_urls(urls)
        , m_operations(state, options)
    {}

    static bool handles(const QString &path);
    HttpResponse handle(const HttpRequest &request, Account &account);
    // Every field of a group, by its key (a local id, or the name of a group without an entry).
    QJsonObject render(const PeopleContext &context, const QString &key,
                       const QHash<QString, int> &memberCounts) const;

private:
    HttpResponse list(const PeopleContext &context, const QUrlQuery &query);
    HttpResponse get(const PeopleContext &context, const QString &key, const QUrlQuery &query);
    HttpResponse create(const PeopleContext &context, const QJsonObject &body);
    HttpResponse update(const PeopleContext &context, const QString &key, const QJsonObject &body);
    HttpResponse remove(const PeopleContext &context, const QString &key, const QUrlQuery &query);
    // Another live group of the account's own with that name, other than exceptLocalId.
    bool nameTaken(const Account &account, const QString &name, const QString &exceptLocalId) const;

    ServerState &m_state;
    const ServerOptions &m_options;
    const ServerUrls &m_urls;
    EntryOperations m_operations;
};

// Members of each group by key, over the live contacts.
QHash<QString, int> groupMemberCounts(const PeopleContext &context);
