#include "tools/gdata-server/gdataserver.h"

#include "tools/gdata-server/people/googleerror.h"
#include "tools/gdata-server/people/photoserving.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

namespace {

struct DemoContact
{
    const char *name;
    const char *email;
    const char *phone;
    const char *address;
    const char *note;
};

constexpr DemoContact kDemoContacts[] = {
    {"Anna Smith", "anna@example.org", "+1 555 0100", "1 Main St\nSpringfield IL 62701",
     "Met at the conference."},
    {"Ben Okafor", "ben@example.net", "+44 20 7946 0018", "12 High Street\nLondon N1 9GU", ""},
    {"Clara Jensen", "clara@example.com", "+45 32 12 34 56", "", "Prefers e-mail."},
    {"David Moreau", "", "+33 1 23 45 67 89", "8 rue de la Paix\n75002 Paris", ""},
};

} // namespace

GDataServer::GDataServer(const QString &statePath)
    : m_state(statePath)
    , m_api(m_state, m_options, m_faults, m_urls)
    , m_oauth(m_state, m_options)
    , m_people(m_state, m_options, m_faults, m_urls)
    , m_groups(m_state, m_options, m_urls)
    , m_admin(m_state, m_options, m_faults, m_log, m_urls, m_oauth)
    , m_http([this](const HttpRequest &request) { return handle(request); })
    , m_photoHttp([this](const HttpRequest &request) {
        // Logged too: a test shows that no token reaches the photo origin.
        m_log.record(request, QStringLiteral("photos"));
        return photoserving::serve(m_state, request);
    })
{}

bool GDataServer::listenForPhotos(quint16 port)
{
    if (!m_photoHttp.listen(port))
        return false;
    m_urls.setPhotoBase(QStringLiteral("http://127.0.0.1:%1").arg(m_photoHttp.port()));
    return true;
}

void GDataServer::addOAuthClient(const QString &id, const QString &secret)
{
    m_state.oauth().addClient(id, secret);
    m_state.save();
}

bool GDataServer::listen(quint16 port)
{
    if (!m_http.listen(port))
        return false;
    m_urls.setBase(QStringLiteral("http://127.0.0.1:%1").arg(m_http.port()));
    return true;
}

HttpResponse GDataServer::handle(const HttpRequest &request)
{
    if (AdminApi::handles(request))
        return m_admin.handle(request);
    m_log.record(request);
    const QString account = mutatingAccount(request);
    const auto fault = m_faults.takeFault(request.method, request.url.path(), request.url.query());
    HttpResponse response;
    if (fault && !fault->replacementBody.isEmpty()) {
        // Replaced answers.
        response = HttpResponse::text(200, fault->replacementBody);
        response.headers.clear();
        response.setHeader("Content-Type", fault->replacementType);
    } else if (fault && (fault->drop || fault->status > 0)) {
        response = injected(*fault, request.url.path());
    } else {
        response = dispatch(request);
        if (fault) {
            response.delayMs = fault->delayMs;
            response.drop = fault->applyThenDrop;
            response.cutBody = fault->cutBody;
            if (fault->malformed)
                response.body.truncate(response.body.size() / 2);
        }
    }
    if (!account.isEmpty()) {
        m_log.mutationStarted(account);
        response.onSent = [this, account] {
            m_log.mutationEnded(account);
        };
        if (request.url.path().startsWith(QLatin1String("/v1/")))
            response.delayMs = qMax(response.delayMs, m_options.mutationDelayMs);
    }
    return response;
}

HttpResponse GDataServer::injected(const Fault &fault, const QString &path) const
{
    HttpResponse response;
    if (path == QLatin1String("/token") || path == QLatin1String("/revoke")) {
        response = googleerror::json(
            fault.status,
            {{"error", fault.error.isEmpty() ? QStringLiteral("server_error") : fault.error},
             {"error_description", "Injected failure."}});
    } else if (path.startsWith(QLatin1String("/v1/"))) {
        response = googleerror::error(fault.status, QStringLiteral("Injected failure."));
    } else {
        response = HttpResponse::text(fault.status, "Injected failure.\n");
    }
    response.drop = fault.drop;
    response.delayMs = fault.delayMs;
    if (!fault.retryAfter.isEmpty())
        response.setHeader("Retry-After", fault.retryAfter);
    return response;
}

HttpResponse GDataServer::dispatch(const HttpRequest &request)
{
    const QString path = request.url.path();
    if (OAuthApi::handles(path))
        return m_oauth.handle(request);
    if (photoserving::handles(path))
        return photoserving::serve(m_state, request);
    if (PeopleApi::handles(path) || ContactGroupsApi::handles(path))
        return people(request);
    return m_api.handle(request);
}

HttpResponse GDataServer::people(const HttpRequest &request)
{
    const OAuthApi::Bearer bearer = m_oauth.bearer(request);
    if (!bearer.account)
        return *bearer.refusal;
    const QString path = request.url.path();
    HttpResponse response = PeopleApi::handles(path) ? m_people.handle(request, *bearer.account)
                                                     : m_groups.handle(request, *bearer.account);
    if (request.method != "GET" && response.status < 300)
        m_state.save();
    return response;
}

QString GDataServer::mutatingAccount(const HttpRequest &request)
{
    const QString path = request.url.path();
    if (request.method == "GET")
        return {};
    if (path.startsWith(QLatin1String("/v1/"))) {
        const OAuthApi::Bearer bearer = m_oauth.bearer(request);
        return bearer.account ? bearer.account->email() : QString();
    }
    const QByteArray authorization = request.header("authorization");
    const QByteArray prefix = "GoogleLogin auth=";
    if (!path.startsWith(QLatin1String("/m8/")) || !authorization.startsWith(prefix))
        return {};
    const Account *account =
        m_state.accountForToken(QString::fromLatin1(authorization.mid(prefix.size())));
    return account ? account->email() : QString();
}

void GDataServer::addDemoAccount(const QString &email, const QString &password)
{
    if (m_state.account(email))
        return;
    Account &account = m_state.addAccount(email, password);
    EntryOperations operations(m_state, m_options);
    const Projection full{Projection::Kind::Full, {}};
    auto group = GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Book Club"));
    const QString groupId = m_urls.identifier(
        email, Account::Collection::Groups,
        operations.insert(account, Account::Collection::Groups, full, *group).stored->localId);
    const QString myContacts =
        m_urls.identifier(email, Account::Collection::Groups, QStringLiteral("6"));
    for (const DemoContact &demo : kDemoContacts) {
        GDataEntryContact contact;
        contact.setTitle(QString::fromUtf8(demo.name));
        if (*demo.note)
            contact.setContentWithString(QString::fromUtf8(demo.note));
        if (*demo.email)
            contact.setEmailAddresses({{QString::fromUtf8(demo.email),
                                        QLatin1String(kGDataContactHome), std::nullopt, true}});
        contact.setPhoneNumbers({{QString::fromUtf8(demo.phone),
                                  QLatin1String(kGDataPhoneNumberMobile), std::nullopt, false}});
        if (*demo.address)
            contact.setPostalAddresses({{QString::fromUtf8(demo.address),
                                         QLatin1String(kGDataContactWork), std::nullopt, true}});
        std::vector<GDataGroupMembershipInfo> groups{{myContacts, false}};
        if (demo.name == kDemoContacts[0].name)
            groups.push_back({groupId, false});
        contact.setGroupMembershipInfos(groups);
        operations.insert(account, Account::Collection::Contacts, full, contact);
    }
    m_state.save();
}
