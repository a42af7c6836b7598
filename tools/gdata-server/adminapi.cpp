#include "tools/gdata-server/adminapi.h"

#include "tools/gdata-server/entryrenderer.h"
#include "tools/gdata-server/people/contactgroupsapi.h"
#include "tools/gdata-server/people/persontranslation.h"

#include "platform/gdata/atom/atomreader.h"
#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/gdataconstants.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

namespace {

using Collection = Account::Collection;

HttpResponse json(const QJsonObject &object)
{
    HttpResponse response;
    response.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    response.setHeader("Content-Type", "application/json");
    return response;
}

QJsonObject jsonBody(const HttpRequest &request)
{
    return QJsonDocument::fromJson(request.body).object();
}

const Projection kFull{Projection::Kind::Full, {}};

} // namespace

bool AdminApi::handles(const HttpRequest &request)
{
    return request.url.path().startsWith(QLatin1String("/_admin/"));
}

HttpResponse AdminApi::handle(const HttpRequest &request)
{
    const QString action = request.url.path().mid(8);
    const QByteArray &method = request.method;
    const QUrlQuery query(request.url);
    if (action == QLatin1String("reset") && method == "POST") {
        m_state.clear();
        m_faults.clear();
        m_log.clear();
        m_options = ServerOptions();
        m_state.save();
        return json({});
    }
    if (action == QLatin1String("accounts") && method == "POST") {
        const QJsonObject body = jsonBody(request);
        m_state.addAccount(body.value("email").toString(), body.value("password").toString());
        m_state.save();
        return json({});
    }
    if (action == QLatin1String("faults") && method == "DELETE") {
        m_faults.clear();
        return json({});
    }
    if (action == QLatin1String("log")) {
        if (method == "DELETE")
            m_log.clear();
        return json({{"requests", m_log.toJson()},
                     {"mostMutationsInFlight", m_log.mostMutationsInFlight()}});
    }
    if (method == "POST" &&
        (action == QLatin1String("oauth-clients") || action == QLatin1String("mint-token") ||
         action == QLatin1String("expire-tokens")))
        return oauth(action, jsonBody(request));
    if (method == "POST") {
        if (action == QLatin1String("faults"))
            m_faults.addFault(jsonBody(request));
        else if (action == QLatin1String("batch-status"))
            m_faults.addBatchEntryFault(jsonBody(request));
        else if (action == QLatin1String("batch-interrupt"))
            m_faults.setBatchInterruption(jsonBody(request));
        else if (action == QLatin1String("login-failure"))
            m_faults.setLoginFailure(jsonBody(request));
        else if (action == QLatin1String("options"))
            m_options.apply(jsonBody(request));
        else if (action == QLatin1String("people-batch-refusal"))
            m_faults.addPeopleBatchRefusal(jsonBody(request));
        else if (action == QLatin1String("expire-sync-tokens"))
            m_options.syncTokensValidFromMs = QDateTime::currentMSecsSinceEpoch() + 1;
        if (action != QLatin1String("seed") && action != QLatin1String("generate") &&
            action != QLatin1String("person"))
            return json({});
    }

    Account *account = m_state.account(query.queryItemValue(QStringLiteral("user")));
    if (!account)
        return HttpResponse::text(404, "No such account.\n");
    const Collection collection =
        query.queryItemValue(QStringLiteral("kind")) == QLatin1String("groups")
            ? Collection::Groups
            : Collection::Contacts;
    if (action == QLatin1String("seed") && method == "POST")
        return seed(request, *account, collection);
    if (action == QLatin1String("generate") && method == "POST")
        return generate(request, *account);
    if (action == QLatin1String("photo") && method == "PUT")
        return putPhoto(request, *account);
    if (action == QLatin1String("entries") && method == "GET")
        return entries(*account, collection);
    if (action == QLatin1String("person") && method == "GET")
        return person(request, *account);
    if (action == QLatin1String("person") && method == "POST")
        return seedPerson(request, *account);
    return HttpResponse::text(404, "Unknown admin request.\n");
}

HttpResponse AdminApi::seed(const HttpRequest &request, Account &account, Collection collection)
{
    atomreader::ParseError error;
    const auto feed = atomreader::parseFeed(request.body,
                                            collection == Collection::Contacts
                                                ? GDataEntryBase::Kind::Contact
                                                : GDataEntryBase::Kind::ContactGroup,
                                            &error);
    if (!feed)
        return HttpResponse::text(400, error.message.toUtf8() + '\n');
    QJsonArray ids;
    for (const GDataEntryPtr &entry : (*feed)->entries()) {
        const OperationResult result = m_operations.insert(account, collection, kFull, *entry);
        if (!result.ok())
            return HttpResponse::text(result.status, result.message.toUtf8() + '\n');
        ids.append(m_urls.identifier(account.email(), collection, result.stored->localId));
    }
    m_state.save();
    return json({{"ids", ids}});
}

HttpResponse AdminApi::generate(const HttpRequest &request, Account &account)
{
    const int count = QUrlQuery(request.url).queryItemValue(QStringLiteral("count")).toInt();
    for (int i = 1; i <= count; ++i) {
        GDataEntryContact contact;
        contact.setTitle(QStringLiteral("Contact %1").arg(i, 5, 10, QLatin1Char('0')));
        contact.setEmailAddresses({{QStringLiteral("contact%1@example.org").arg(i),
                                    QLatin1String(kGDataContactHome), std::nullopt, true}});
        const OperationResult result =
            m_operations.insert(account, Collection::Contacts, kFull, contact);
        if (!result.ok())
            return HttpResponse::text(result.status, result.message.toUtf8() + '\n');
    }
    m_state.save();
    return json({{"count", count}});
}

HttpResponse AdminApi::putPhoto(const HttpRequest &request, Account &account)
{
    StoredEntry *stored = account.find(Collection::Contacts,
                                       QUrlQuery(request.url).queryItemValue(QStringLiteral("id")));
    if (!stored)
        return HttpResponse::text(404, "No such contact.\n");
    stored->photo = {request.body, request.header("content-type"), m_state.nextETag()};
    m_state.save();
    return json({{"etag", stored->photo.etag}});
}

HttpResponse AdminApi::entries(Account &account, Collection collection)
{
    GDataFeed feed(collection == Collection::Contacts ? GDataEntryBase::Kind::Contact
                                                      : GDataEntryBase::Kind::ContactGroup);
    for (const StoredEntry &stored : account.entries(collection))
        feed.addEntry(renderEntry(m_urls, account, collection, kFull, stored));
    feed.setTotalResults(int(feed.entries().size()));
    return HttpResponse::atom(200, atomwriter::feedXML(feed));
}

HttpResponse AdminApi::oauth(const QString &action, const QJsonObject &body)
{
    if (action == QLatin1String("oauth-clients")) {
        m_state.oauth().addClient(body.value("id").toString(), body.value("secret").toString());
        m_state.save();
        return json({});
    }
    const QString email = body.value("user").toString();
    if (!m_state.account(email))
        return HttpResponse::text(404, "No such account.\n");
    if (action == QLatin1String("mint-token"))
        return json(
            m_oauth.mint(email, body.value("client").toString(), body.value("scope").toString()));
    m_state.oauth().expireTokens(email, body.value("revoke").toBool());
    m_state.save();
    return json({});
}

HttpResponse AdminApi::person(const HttpRequest &request, Account &account)
{
    const QUrlQuery query(request.url);
    const PeopleContext context(m_urls, account);
    const QString id = query.queryItemValue(QStringLiteral("id"));
    if (query.queryItemValue(QStringLiteral("kind")) == QLatin1String("groups")) {
        const QString key = context.groupKey(id);
        if (key.isEmpty())
            return HttpResponse::text(404, "No such group.\n");
        return json(ContactGroupsApi(m_state, m_options, m_urls)
                        .render(context, key, groupMemberCounts(context)));
    }
    const QString localId =
        PeopleContext::personLocalId(id).isEmpty() ? id : PeopleContext::personLocalId(id);
    const StoredEntry *stored = account.find(Collection::Contacts, localId);
    if (!stored)
        return HttpResponse::text(404, "No such contact.\n");
    return json(persontranslation::render(context, *stored));
}

HttpResponse AdminApi::seedPerson(const HttpRequest &request, Account &account)
{
    const QJsonObject person = jsonBody(request);
    const PeopleContext context(m_urls, account);
    auto entry = std::make_shared<GDataEntryContact>();
    QJsonObject people;
    if (const auto refused = persontranslation::write(
            context, person, persontranslation::fieldsOf(person), nullptr, *entry, people))
        return HttpResponse::text(refused->status, refused->message.toUtf8() + '\n');
    entry->setUpdatedDate(m_state.nextUpdated());
    entry->setETag(m_state.nextETag());
    StoredEntry &stored = account.add(Collection::Contacts, entry);
    stored.people = people;
    m_state.save();
    return json({{"resourceName", PeopleContext::personName(stored.localId)},
                 {"id", m_urls.identifier(account.email(), Collection::Contacts, stored.localId)}});
}
