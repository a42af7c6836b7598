#include "tools/gdata-server/gdataserver.h"

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
    , m_admin(m_state, m_options, m_faults, m_log, m_urls)
    , m_http([this](const HttpRequest &request) { return handle(request); })
{}

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
    const auto fault = m_faults.takeFault(request.method, request.url.path(), request.url.query());
    if (fault && (fault->drop || fault->status > 0)) {
        HttpResponse response = HttpResponse::text(fault->status, "Injected failure.\n");
        response.drop = fault->drop;
        response.delayMs = fault->delayMs;
        if (!fault->retryAfter.isEmpty())
            response.setHeader("Retry-After", fault->retryAfter);
        return response;
    }
    HttpResponse response = m_api.handle(request);
    if (fault) {
        response.delayMs = fault->delayMs;
        response.drop = fault->applyThenDrop;
        response.cutBody = fault->cutBody;
        if (fault->malformed)
            response.body.truncate(response.body.size() / 2);
    }
    return response;
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
