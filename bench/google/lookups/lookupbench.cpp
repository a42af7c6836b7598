// The lookups of a data loader pass over a full account: 25,000 contacts in 40 groups, the
// identifier index built, then each contact looked up once by every key it can be found by and
// each group by every key of its own, from freshly set lists.

#include "addressbook/addressbookkeys.h"
#include "google/engine/googlecontactlists.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kContacts = 25000;
constexpr int kGroups = 40;

const QStringList kFirstNames = {u"Anna"_qs,  u"Bo"_qs,     u"Carl"_qs,  u"Dora"_qs, u"Erik"_qs,
                                 u"Frida"_qs, u"Gustav"_qs, u"Hanna"_qs, u"Ivar"_qs, u"Jonna"_qs};

QString groupID(int n)
{
    return u"http://www.google.com/m8/feeds/groups/bench%40example.com/base/g"_qs +
           QString::number(n);
}

GDataEntryContactPtr sampleContact(int n)
{
    auto contact = std::make_shared<GDataEntryContact>();
    const QString number = QString::number(n);
    const QString first = kFirstNames[n % kFirstNames.size()];
    const QString last = u"Lastname"_qs + number;
    contact->setIdentifier(
        u"http://www.google.com/m8/feeds/contacts/bench%40example.com/base/c"_qs + number);
    contact->setTitle(first + u' ' + last);
    contact->setEmailAddresses(
        {GDataEmail::emailWithLabel(std::nullopt, first + u'.' + last + u"@example.com"_qs),
         GDataEmail::emailWithLabel(std::nullopt, u"work"_qs + number + u"@example.org"_qs)});
    contact->setGroupMembershipInfos(
        {GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupID(0)),
         GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupID(1 + n % (kGroups - 1)))});
    contact->setLinks(
        {GDataLink{QLatin1String(kGDataLinkRelPhoto), u"image/*"_qs,
                   contact->identifier() + u"/photo"_qs, u"\"etag-"_qs + number + u'"'}});
    contact->addExtendedProperty(GDataExtendedProperty::propertyWithName(u"benchContact"_qs));
    std::vector<GDataExtendedProperty::XMLValue> values = {
        {u"aID"_qs, u"person-"_qs + number + u":ABPerson"_qs},
        {u"gID"_qs, contact->identifier()},
        {u"asOf"_qs, u"2009-03-14 15:09:26 -0700"_qs},
        {u"dm1111111111000"_qs, u"2009-03-14 15:09:26 -0700"_qs}};
    GDataExtendedProperty property = contact->extendedProperties().front();
    property.setXMLValues(values);
    contact->setExtendedProperties({property});
    if (n % 5 == 0)
        contact->addOrganization(GDataOrganization::organizationWithName(u"Company "_qs + number));
    return contact;
}

std::vector<GDataEntryContactGroupPtr> sampleGroups()
{
    std::vector<GDataEntryContactGroupPtr> groups;
    for (int n = 0; n < kGroups; ++n) {
        auto group = std::make_shared<GDataEntryContactGroup>();
        group->setIdentifier(groupID(n));
        group->setTitle(n == 0 ? u"System Group: My Contacts"_qs
                               : u"Group "_qs + QString::number(n));
        if (n == 0)
            group->setSystemGroup(u"Contacts"_qs);
        groups.push_back(group);
    }
    return groups;
}

void BM_LookupEveryContact(benchmark::State &state)
{
    std::vector<GDataEntryContactPtr> contacts;
    for (int n = 0; n < kContacts; ++n)
        contacts.push_back(sampleContact(n));
    const std::vector<GDataEntryContactGroupPtr> groups = sampleGroups();
    UserDefaults::standard().setString(u"benchContact"_qs,
                                       abkeys::googleContactExtendedPropertyName);
    GoogleContactLists lists;
    int found = 0;
    for (auto _ : state) {
        lists.setGroups(groups);
        lists.setContacts(contacts);
        lists.setGAllIDs();
        found = int(lists.gAllIDs().size()) - kGroups - kContacts;
        for (int n = 0; n < kContacts; ++n) {
            const GDataEntryContact &contact = *contacts[size_t(n)];
            const QString number = QString::number(n);
            const QString first = kFirstNames[n % kFirstNames.size()];
            const QString last = u"Lastname"_qs + number;
            found += contactlookups::contactForID(lists, contact.identifier()) != nullptr;
            found += contactlookups::contactForABID(lists, u"person-"_qs + number +
                                                               u":ABPerson"_qs) != nullptr;
            found += contactlookups::contactForGID(lists, contact.identifier()) != nullptr;
            found += contactlookups::contactForEmailAddress(
                         lists, contact.emailAddresses()[1].address.toUpper()) != nullptr;
            found += contactlookups::contactForETag(lists, *contact.photoLink()->ETag()) != nullptr;
            // An expected title that differs, so the whole-name step runs.
            found +=
                contactlookups::contactForName(lists, {contactlookups::PersonNames::Kind::Person,
                                                       first + u" Q. "_qs + last,
                                                       first,
                                                       {},
                                                       {},
                                                       last}) != nullptr;
        }
        for (int n = 0; n < kGroups; ++n) {
            const QString title = *groups[size_t(n)]->title();
            found += grouplookups::groupForID(lists, groupID(n)) != nullptr;
            found += grouplookups::groupForName(lists, title) != nullptr;
            found += grouplookups::idOfGroupWithName(lists, title) == groupID(n);
            found += contactlookups::countOfMembersOfGroupID(lists, groupID(n)) > 0;
            found += !contactlookups::membersOfGroupID(lists, groupID(n)).isEmpty();
        }
        benchmark::DoNotOptimize(found);
    }
    if (found != 6 * kContacts + 5 * kGroups)
        state.SkipWithError("a lookup missed its contact");
    state.counters["lookups"] = 6.0 * kContacts + 5.0 * kGroups;
}
BENCHMARK(BM_LookupEveryContact)->Unit(benchmark::kMillisecond);

} // namespace
