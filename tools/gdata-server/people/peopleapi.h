// The People face of the store for the account a bearer token signed in: connections, single and
// batch reads and writes of contacts, and their photos.
#pragma once

#include "tools/gdata-server/faultinjector.h"
#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/people/persontranslation.h"
#include "tools/gdata-server/people/servedpersons.h"
#include "tools/gdata-server/serveroptions.h"
#include "tools/gdata-server/serverstate.h"

#include <QUrlQuery>

class PeopleApi
{
public:
    PeopleApi(ServerState &state, const ServerOptions &options, FaultInjector &faults,
              const ServerUrls &urls)
        : m_state(state)
        , m_options(options)
        , m_faults(faults)
        , m_urls(urls)
    {}

    static bool handles(const QString &path);
    HttpResponse handle(const HttpRequest &request, Account &account);

private:
    // A person checked and translated, not yet in the store.
    struct PreparedWrite
    {
        StoredEntry *current = nullptr; // null: a new contact
        GDataEntryPtr entry;
        QJsonObject people;
    };
    struct Preparation
    {
        std::optional<PreparedWrite> write;
        WriteRefusal refusal;
    };

    HttpResponse list(const PeopleContext &context, const QUrlQuery &query);
    HttpResponse get(const PeopleContext &context, const QString &name, const QUrlQuery &query);
    HttpResponse batchGet(const PeopleContext &context, const QUrlQuery &query);
    HttpResponse create(const PeopleContext &context, const QJsonObject &body,
                        const QUrlQuery &query);
    HttpResponse update(const PeopleContext &context, const QString &name, const QJsonObject &body,
                        const QUrlQuery &query);
    HttpResponse remove(const PeopleContext &context, const QString &name);
    HttpResponse batchCreate(const PeopleContext &context, const QJsonObject &body);
    HttpResponse batchUpdate(const PeopleContext &context, const QJsonObject &body);
    HttpResponse batchDelete(const PeopleContext &context, const QJsonObject &body);
    HttpResponse updatePhoto(const PeopleContext &context, const QString &name,
                             const QJsonObject &body);
    HttpResponse deletePhoto(const PeopleContext &context, const QString &name,
                             const QUrlQuery &query);

    Preparation prepareCreate(const PeopleContext &context, const QJsonObject &person);
    Preparation prepareUpdate(const PeopleContext &context, StoredEntry *stored,
                              const QJsonObject &person, const QStringList &fields);
    StoredEntry &commit(const PeopleContext &context, PreparedWrite &write);
    void stamp(GDataEntryBase &entry);
    // The person as a read with that mask (none: every field) shows it.
    QJsonObject shown(const PeopleContext &context, const StoredEntry &stored,
                      const std::optional<QStringList> &fields) const;

    ServerState &m_state;
    const ServerOptions &m_options;
    FaultInjector &m_faults;
    const ServerUrls &m_urls;
    ServedPersons m_served;
};
