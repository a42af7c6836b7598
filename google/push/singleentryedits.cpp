#include "google/push/singleentryedits.h"

#include "foundation/log.h"
#include "foundation/text/zeltorstring.h"
#include "google/browser/browserextendedproperty.h"
#include "google/engine/googlecontacttool.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"
#include "platform/ui/keypath.h"

#include <QApplication>

namespace singleentryedits {
namespace {

constexpr double kInsertWaitSeconds = 3.0;
const QString kAllGroups = QStringLiteral("All");

QString text(const QVariantMap &panel, const QString &path)
{
    return keypath::value(panel, path).toString();
}

// The IM codes of the browser dictionary; every other code is Google Talk.
QString imProtocol(int code)
{
    static const char *const kProtocols[] = {kGDataIMProtocolAIM,    nullptr,
                                             kGDataIMProtocolICQ,    kGDataIMProtocolJabber,
                                             kGDataIMProtocolMSN,    kGDataIMProtocolQQ,
                                             kGDataIMProtocolSkype,  kGDataIMProtocolYahoo};
    if (code >= 0 && code < 8 && kProtocols[code])
        return QString::fromLatin1(kProtocols[code]);
    return QString::fromLatin1(kGDataIMProtocolGoogleTalk);
}

QString titleOf(const QVariantMap &panel)
{
    const QString first = text(panel, QStringLiteral("nameDict.first"));
    const QString nick = text(panel, QStringLiteral("nameDict.nick"));
    const QString last = text(panel, QStringLiteral("nameDict.last"));
    const QString separator = last.isEmpty() ? QString() : QStringLiteral(" ");
    // Cleaned in both forms, so a missing first name leaves no leading blank.
    if (!nick.isEmpty())
        return zeltor::clean(QStringLiteral("%1 \"%2\" %3%4").arg(first, nick, separator, last));
    return zeltor::clean(first + separator + last);
}

void addEmails(GDataEntryContact &entry, const QVariantMap &panel)
{
    std::vector<GDataEmail> emails;
    const QString work = text(panel, QStringLiteral("workEmail"));
    const QString home = text(panel, QStringLiteral("homeEmail"));
    if (!work.isEmpty())
        emails.push_back({work, QString::fromLatin1(kGDataContactWork), std::nullopt, true});
    if (!home.isEmpty())
        emails.push_back({home, QString::fromLatin1(kGDataContactHome), std::nullopt, work.isEmpty()});
    entry.setEmailAddresses(emails);
}

void addPhones(GDataEntryContact &entry, const QVariantMap &panel)
{
    std::vector<GDataPhoneNumber> phones;
    const QString mobile = text(panel, QStringLiteral("mobilePhone"));
    const QString work = text(panel, QStringLiteral("workPhone"));
    const QString home = text(panel, QStringLiteral("homePhone"));
    if (!mobile.isEmpty())
        phones.push_back({mobile, QString::fromLatin1(kGDataPhoneNumberMobile), std::nullopt, true});
    if (!work.isEmpty())
        phones.push_back(
            {work, QString::fromLatin1(kGDataPhoneNumberWork), std::nullopt, mobile.isEmpty()});
    if (!home.isEmpty())
        phones.push_back({home, QString::fromLatin1(kGDataPhoneNumberHome), std::nullopt,
                          mobile.isEmpty() && work.isEmpty()});
    entry.setPhoneNumbers(phones);
}

void addIMs(GDataEntryContact &entry, const QVariantMap &panel)
{
    std::vector<GDataIM> ims;
    const QString work = text(panel, QStringLiteral("workIM"));
    const QString home = text(panel, QStringLiteral("homeIM"));
    if (!work.isEmpty())
        ims.push_back({work, imProtocol(panel.value(QStringLiteral("workIMType")).toInt()),
                       QString::fromLatin1(kGDataContactWork), QString(), true});
    // The home handle carries the home relation, so it reads back as the home handle.
    if (!home.isEmpty())
        ims.push_back({home, imProtocol(panel.value(QStringLiteral("homeIMType")).toInt()),
                       QString::fromLatin1(kGDataContactHome), QString(), work.isEmpty()});
    entry.setIMAddresses(ims);
}

void addAddresses(GDataEntryContact &entry, const QVariantMap &panel)
{
    std::vector<GDataPostalAddress> addresses;
    for (const auto &[key, rel, primary] :
         {std::tuple{QStringLiteral("workAddrDict"), kGDataContactWork, true},
          std::tuple{QStringLiteral("homeAddrDict"), kGDataContactHome, false}}) {
        const QVariantMap address = panel.value(key).toMap();
        const QString street = streetOfAddress(address);
        const QString city = address.value(QStringLiteral("city")).toString();
        const QString state = address.value(QStringLiteral("state")).toString();
        const QString postal = address.value(QStringLiteral("postal")).toString();
        if (street.isEmpty() && city.isEmpty() && state.isEmpty() && postal.isEmpty())
            continue;
        const QString value = QStringLiteral("%1\r%2  %3  %4\r%5")
                                  .arg(street, city, state, postal,
                                       address.value(QStringLiteral("country")).toString());
        addresses.push_back({value, QString::fromLatin1(rel), std::nullopt, primary});
    }
    entry.setPostalAddresses(addresses);
}

} // namespace

QString streetOfAddress(const QVariantMap &address)
{
    const QString street1 = address.value(QStringLiteral("street1")).toString();
    const QString street2 = address.value(QStringLiteral("street2")).toString();
    if (!address.contains(QStringLiteral("street1")) && !address.contains(QStringLiteral("street2")))
        return address.value(QStringLiteral("street")).toString();
    return street2.isEmpty() ? street1 : street1 + u'\r' + street2;
}

GDataEntryContactPtr contactFromBrowserPanel(const GoogleContactTool &tool,
                                             const QVariantMap &panel, const QStringList &groups)
{
    GDataEntryContactPtr entry = GDataEntryContact::contactEntryWithTitle(titleOf(panel));
    entry->setContentWithString(text(panel, QStringLiteral("notes")));
    const QString org = text(panel, QStringLiteral("org"));
    const QString job = text(panel, QStringLiteral("job"));
    if (!org.isEmpty() || !job.isEmpty()) {
        GDataOrganization organization;
        if (!org.isEmpty())
            organization.orgName = org;
        if (!job.isEmpty())
            organization.orgTitle = job;
        organization.rel = QString::fromLatin1(kGDataContactWork);
        organization.primary = true;
        entry->addOrganization(organization);
    }
    const QString myContacts = grouplookups::myContactsID(tool.lists());
    if (!myContacts.isEmpty())
        entry->addGroupMembershipInfo(GDataGroupMembershipInfo::groupMembershipInfoWithHref(myContacts));
    // "All" is the browser's group of every contact, never a Google group.
    for (const QString &group : groups)
        if (!group.isEmpty() && group != kAllGroups && group != myContacts)
            entry->addGroupMembershipInfo(GDataGroupMembershipInfo::groupMembershipInfoWithHref(group));
    entry->addExtendedProperty(tolvane::googleExtendedPropertiesForBrowserDictionary(*entry, panel));
    addEmails(*entry, panel);
    addPhones(*entry, panel);
    addIMs(*entry, panel);
    addAddresses(*entry, panel);
    return entry;
}

void newContactFromBrowserPanel(GoogleContactTool &tool, const QVariantMap &panel,
                                const QStringList &groups)
{
    const GDataFeedPtr feed = tool.contactFeed();
    const std::optional<GDataLink> post = feed ? feed->postLink() : std::nullopt;
    if (!post)
        return;
    const GDataEntryContactPtr entry = contactFromBrowserPanel(tool, panel, groups);
    tool.armSingleInsertTreadInterval(kInsertWaitSeconds);
    GoogleContactTool *engine = &tool;
    tool.contactService()->fetchContactEntryByInsertingEntry(
        *entry, QUrl(post->href), &tool,
        [engine](const GDataServiceTicketPtr &, const GDataEntryPtr &) {
            engine->singleInsertWait().clear();
            engine->fetchAllContactsWithUIRefresh(true);
        },
        [engine](const GDataServiceTicketPtr &, const GDataError &error) {
            engine->singleInsertWait().clear();
            Prompter::current().beginSheet(
                Prompt{QStringLiteral("Add failed"),
                       QStringLiteral("Item add failed: %1  %2")
                           .arg(error.description, tlog::describe(error.userInfo)),
                       {QStringLiteral("OK")}},
                QApplication::activeWindow(), [](int) {});
        });
    tool.singleInsertTread();
}

void newGroupWithName(GoogleContactTool &tool, const QString &name)
{
    if (name.isEmpty())
        return;
    const GDataFeedPtr feed = tool.groupFeed();
    const std::optional<GDataLink> post = feed ? feed->postLink() : std::nullopt;
    if (!post)
        return;
    const GDataEntryContactGroupPtr entry = GDataEntryContactGroup::contactGroupEntryWithTitle(name);
    tool.armSingleInsertTreadInterval(kInsertWaitSeconds);
    GoogleContactTool *engine = &tool;
    tool.contactService()->fetchContactEntryByInsertingEntry(
        *entry, QUrl(post->href), &tool,
        [engine](const GDataServiceTicketPtr &, const GDataEntryPtr &) {
            engine->singleInsertWait().clear();
        },
        [engine](const GDataServiceTicketPtr &, const GDataError &error) {
            if (UserDefaults::standard().boolForKey(batchkeys::showGoogleAlerts))
                Prompter::current().beginSheet(
                    Prompt{QStringLiteral("Add failed"),
                           QStringLiteral("Group add failed: %1\nUser info:%2")
                               .arg(error.description, tlog::describe(error.userInfo)),
                           {QStringLiteral("OK")}},
                    QApplication::activeWindow(), [](int) {});
            engine->singleInsertWait().clear();
        });
    tool.singleInsertTread();
}

} // namespace singleentryedits
