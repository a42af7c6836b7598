#include "tests/support/google/browseredittest.h"

#include "tests/support/google/googleentrybuilders.h"

#include "addressbook/addressbookkeys.h"
#include "google/browser/browserdictionary.h"
#include "google/engine/listkeys.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/ui/beep.h"

#include <QJsonArray>
#include <QJsonObject>

void BrowserEditTest::SetUp()
{
    EngineServerTest::SetUp();
    storePassword(kPassword);
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(QStringLiteral("tolvaneContact"), abkeys::googleContactExtendedPropertyName);
    ud.setString(QStringLiteral("tolvaneGroup"), abkeys::googleGroupExtendedPropertyName);
    const std::pair<QString, const char *> pseudoGroups[] = {
        {listkeys::systemGroupRecent, "Recent"},     {listkeys::systemGroupNoGroup, "NoGroup"},
        {listkeys::systemGroupEmailOnly, "Email"},   {listkeys::systemGroupCompany, "Company"},
        {listkeys::systemGroupMale, "Male"},         {listkeys::systemGroupFemale, "Female"},
        {listkeys::systemGroupNoGender, "NoGender"},
    };
    for (const auto &[key, title] : pseudoGroups)
        ud.setString(QString::fromLatin1(title), key);
    m_previousBeep = beep::setHandler([this] { ++beeps; });
    engine = makeEngine();
}

void BrowserEditTest::TearDown()
{
    beep::setHandler(m_previousBeep);
    engine.reset();
    EngineServerTest::TearDown();
}

void BrowserEditTest::seedAndLogIn(const QStringList &groupTitles, int contactCount,
                                   const std::function<QList<int>(int)> &groupsOfContact)
{
    for (const GDataEntryPtr &group : serverEntries(GDataEntryBase::Kind::ContactGroup)) {
        const auto typed = std::dynamic_pointer_cast<GDataEntryContactGroup>(group);
        if (typed && typed->systemGroup() == QLatin1String(kGDataSystemGroupContacts))
            myContactsID = typed->identifier();
    }
    ASSERT_FALSE(myContactsID.isEmpty());
    std::vector<GDataEntryPtr> groups;
    for (const QString &title : groupTitles)
        groups.push_back(makeGroup(QString(), title));
    if (!groups.empty())
        groupIDs = server.seedGroups(kUser, groups);
    std::vector<GDataEntryPtr> contacts;
    for (int i = 0; i < contactCount; ++i) {
        QStringList hrefs = {myContactsID};
        if (groupsOfContact) {
            for (const int group : groupsOfContact(i))
                hrefs << groupIDs.at(group);
        }
        const auto contact = makeContact({QString(),
                                          QStringLiteral("Contact %1").arg(i, 3, 10, QChar(u'0')),
                                          {QStringLiteral("c%1@example.com").arg(i)},
                                          hrefs});
        contact->setExtendedProperties({makeProperty(
            QStringLiteral("tolvaneContact"),
            {{"aID", QStringLiteral("P%1:ABPerson").arg(i)}, {"isCo", "0"}, {"gender", "F"}})});
        contacts.push_back(contact);
    }
    if (!contacts.empty())
        contactIDs = server.seedContacts(kUser, contacts);
    ASSERT_EQ(contactIDs.size(), contactCount);
    ASSERT_TRUE(logIn(*engine));
    ASSERT_TRUE(runUntil([&] { return int(engine->contactArray().size()) == contactCount; }));
    server.clearRequestLog();
    journal.clear();
}

QList<QVariantMap> BrowserEditTest::rowsOf(const QStringList &identifiers) const
{
    QList<QVariantMap> rows;
    for (const QString &identifier : identifiers) {
        const GDataEntryContactPtr contact =
            contactlookups::contactForID(engine->lists(), identifier);
        rows << (contact ? tolvane::tolvaneBrowserDictionary(*contact)
                         : QVariantMap{{QStringLiteral("gID"), identifier}});
    }
    return rows;
}

bool BrowserEditTest::runUntilRefreshed()
{
    const QString refreshing = QStringLiteral("progress:Refreshing local Google data...");
    return runUntil([&] {
        const qsizetype at = journal.indexOf(refreshing);
        return at >= 0 && journal.indexOf(QStringLiteral("refreshView"), at) > at;
    });
}

int BrowserEditTest::fetchesOf(const QString &feed)
{
    int count = 0;
    for (const QJsonValue &request : server.requestLog()) {
        const QJsonObject object = request.toObject();
        const QString url = object.value("url").toString();
        if (object.value("method").toString() == u"GET" &&
            url.contains(QStringLiteral("/feeds/%1/").arg(feed)) && !url.contains(u"batch"))
            ++count;
    }
    return count;
}

QList<QJsonObject> BrowserEditTest::batchRequests()
{
    QList<QJsonObject> requests;
    for (const QJsonValue &request : server.requestLog()) {
        const QJsonObject object = request.toObject();
        if (object.value("url").toString().contains(u"/batch"))
            requests << object;
    }
    return requests;
}

QList<int> BrowserEditTest::batchEntryCounts()
{
    QList<int> counts;
    for (const QJsonObject &request : batchRequests())
        counts << int(request.value("body").toString().count(QStringLiteral("<entry")));
    return counts;
}

GDataEntryContactPtr BrowserEditTest::serverContact(const QString &identifier)
{
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
        if (entry->identifier() == identifier && !entry->isDeleted())
            return std::dynamic_pointer_cast<GDataEntryContact>(entry);
    }
    return nullptr;
}

std::optional<QString> BrowserEditTest::serverFlag(const QString &identifier, const QString &key)
{
    const GDataEntryContactPtr contact = serverContact(identifier);
    const auto values =
        contact ? tolvane::tolvaneExtendedPropertyXMLValuesDictionary(*contact) : std::nullopt;
    if (!values || !values->contains(key))
        return std::nullopt;
    return values->value(key);
}

QStringList BrowserEditTest::serverMemberships(const QString &identifier)
{
    QStringList hrefs;
    if (const GDataEntryContactPtr contact = serverContact(identifier)) {
        for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos())
            hrefs << info.href;
    }
    return hrefs;
}

QStringList BrowserEditTest::serverGroupTitles()
{
    QStringList titles;
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::ContactGroup)) {
        const auto group = std::dynamic_pointer_cast<GDataEntryContactGroup>(entry);
        if (group && !group->isDeleted() && !group->systemGroup())
            titles << group->title().value_or(QString());
    }
    titles.sort();
    return titles;
}
