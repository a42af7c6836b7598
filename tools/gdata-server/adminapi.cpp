#include "tools/gdata-server/adminapi.h"

#include "tools/gdata-server/entryrenderer.h"

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
        return json({{"requests", m_log.toJson()}});
    }
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
        if (action != QLatin1String("seed") && action != QLatin1String("generate"))
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
