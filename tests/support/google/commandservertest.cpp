#include "tests/support/google/commandservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "google/engine/googlekeys.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

void CommandServerTest::SetUp()
{
    EngineServerTest::SetUp();
    storePassword(kPassword);
    UserDefaults &ud = UserDefaults::standard();
    const std::pair<QString, QString> names[] = {
        {abkeys::googleContactIDPropertyName, "com.test.googleID"},
        {abkeys::googleContactVersionPropertyName, "com.test.googleVersion"},
        {abkeys::googleContactAsOfDatePropertyName, "com.test.googleAsOf"},
        {abkeys::googleContactDataMaskPropertyName, "com.test.googleMask"},
        {abkeys::googleGroupIDPropertyName, "com.test.groupGoogleID"},
        {abkeys::googleGroupVersionPropertyName, "com.test.groupVersion"},
        {abkeys::googleGroupAsOfDatePropertyName, "com.test.groupAsOf"},
        {abkeys::googleGroupDataMaskPropertyName, "com.test.groupMask"},
        {abkeys::googleContactExtendedPropertyName, "tolvaneContact"},
        {abkeys::googleGroupExtendedPropertyName, "tolvaneGroup"}};
    for (const auto &[key, value] : names)
        ud.setString(value, key);
    ASSERT_TRUE(AddressBookTool::addTolvaneContactProperties());
    ASSERT_TRUE(AddressBookTool::addTolvaneGroupProperties());
    for (const QString &key :
         {abkeys::gmUpdatePeople, abkeys::gmUpdateCompanies, googlekeys::gmUpdateName,
          googlekeys::gmUpdateMemberships, googlekeys::gmUpdateNeverMoveMeCard})
        ud.setBool(true, key);
    me = AddressBook::shared()->me();
    ASSERT_TRUE(me);
    engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
}

PersonPtr CommandServerTest::addPerson(const QString &first, const QString &last)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(first, kABFirstNameProperty);
    person->setValueForProperty(last, kABLastNameProperty);
    AddressBook::shared()->addRecord(person);
    return person;
}

PersonPtr CommandServerTest::addCompany(const QString &organization)
{
    const PersonPtr company = Person::create();
    company->setValueForProperty(organization, kABOrganizationProperty);
    company->setValueForProperty(kABShowAsCompany, kABPersonFlags);
    AddressBook::shared()->addRecord(company);
    return company;
}

GroupPtr CommandServerTest::addGroup(const QString &name, const QList<PersonPtr> &members)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    for (const PersonPtr &person : members)
        group->addMember(person);
    return group;
}

GroupPtr CommandServerTest::addSmartGroup(const QString &name, const QString &lastName)
{
    const GroupPtr group = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {}, lastName,
                                   SearchElement::Comparison::Equal));
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return group;
}

QString CommandServerTest::googleID(const RecordPtr &record)
{
    const QString property = record->recordClass() == RecordClass::Group
                                 ? AddressBookTool::groupIDPropertyName()
                                 : AddressBookTool::contactIDPropertyName();
    return record->valueForProperty(property).toString();
}

std::vector<GDataEntryContactPtr> CommandServerTest::serverContacts()
{
    std::vector<GDataEntryContactPtr> live;
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
        if (!entry->isDeleted())
            live.push_back(std::dynamic_pointer_cast<GDataEntryContact>(entry));
    }
    return live;
}

QStringList CommandServerTest::serverContactTitles()
{
    QStringList titles;
    for (const GDataEntryContactPtr &contact : serverContacts())
        titles << contact->title().value_or(QString());
    titles.sort();
    return titles;
}

QStringList CommandServerTest::serverGroupTitles()
{
    QStringList titles;
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::ContactGroup)) {
        const auto group = std::dynamic_pointer_cast<GDataEntryContactGroup>(entry);
        if (!group->isDeleted() && !group->systemGroup())
            titles << group->title().value_or(QString());
    }
    titles.sort();
    return titles;
}

GDataEntryContactPtr CommandServerTest::serverContact(const QString &title)
{
    for (const GDataEntryContactPtr &contact : serverContacts()) {
        if (contact->title() == title)
            return contact;
    }
    return nullptr;
}

QString CommandServerTest::serverGroupID(const QString &title)
{
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::ContactGroup)) {
        if (!entry->isDeleted() && entry->title() == title)
            return entry->identifier();
    }
    return {};
}

QStringList CommandServerTest::membershipsOf(const QString &title)
{
    QStringList userGroups;
    const GDataEntryContactPtr contact = serverContact(title);
    if (!contact)
        return userGroups;
    for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos()) {
        for (const QString &group : serverGroupTitles()) {
            if (serverGroupID(group) == info.href)
                userGroups << group;
        }
    }
    userGroups.sort();
    return userGroups;
}

bool CommandServerTest::runUntilCleanup(const QString &process)
{
    return runUntil([&] {
        for (const QString &line : journal) {
            if (line.startsWith(QStringLiteral("cleanup:") + process + u'/'))
                return true;
        }
        return false;
    });
}

Prompt CommandServerTest::lastPrompt() const
{
    return prompter.shown().isEmpty() ? Prompt{} : prompter.shown().last().prompt;
}
