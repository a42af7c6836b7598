// An address book goes to the loopback server through the "Simple" upload road and comes back
// through the download road: into an emptied book the same people arrive, and the upload
// decisions that follow a download queue nothing for the people that came down.

#include "tests/support/google/downloadroad.h"
#include "tests/support/google/engineservertest.h"
#include "tests/support/google/linkpreferences.h"
#include "tests/support/google/personcard.h"
#include "tests/support/google/testpicture.h"

#include "addressbook/addressbookkeys.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/datamask.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"

#include <QMap>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Answers the completion chain with the contact queue, as the data loader does.
class QueueDataDelegate : public RecordingDataDelegate
{
public:
    using RecordingDataDelegate::RecordingDataDelegate;
    BatchActionQueue batchActionContactArray() override { return queue; }
    BatchActionQueue queue;
};

// What a person holds of the fields both roads map, in a form that compares: multi-values as
// "label=value" with "*" after the primary one, groups by name.
using Card = QMap<QString, QVariant>;

const QStringList kMultiValueProperties = {
    kABEmailProperty,      kABPhoneProperty,      kABAddressProperty,
    kABURLsProperty,       kABAIMInstantProperty, kABJabberInstantProperty,
    kABMSNInstantProperty, kABICQInstantProperty, kABYahooInstantProperty};

// What does not travel: Google holds one primary mark over all handles of every service, and the
// web addresses travel as lines of the note; an address comes back from Google's text, so its
// country code is not compared.
const QStringList kNoPrimaryProperties = {kABURLsProperty,          kABAIMInstantProperty,
                                          kABJabberInstantProperty, kABMSNInstantProperty,
                                          kABICQInstantProperty,    kABYahooInstantProperty};
const QStringList kAddressKeysKept = {kABAddressStreetKey, kABAddressCityKey, kABAddressStateKey,
                                      kABAddressZIPKey, kABAddressCountryKey};

QString entryText(const QString &property, const QVariant &value)
{
    if (property != kABAddressProperty)
        return value.toString();
    const QVariantMap map = value.toMap();
    QStringList parts;
    for (const QString &key : kAddressKeysKept)
        parts << key + ":" + map.value(key).toString();
    return parts.join('|');
}

Card cardOf(const PersonPtr &person)
{
    Card card;
    for (const QString &property : personcard::textProperties()) {
        const QString text = person->valueForProperty(property).toString();
        if (!text.isEmpty())
            card.insert(property, text);
    }
    for (const QString &property : kMultiValueProperties) {
        const MultiValue multi = person->multiValueForProperty(property);
        QStringList entries;
        for (int index = 0; index < multi.count(); ++index)
            entries << personcard::entry(multi.labelAt(index),
                                         entryText(property, multi.valueAt(index)),
                                         multi.identifierAt(index) == multi.primaryIdentifier() &&
                                             !kNoPrimaryProperties.contains(property));
        if (!entries.isEmpty())
            card.insert(property, entries);
    }
    card.insert(kABPersonFlags, person->valueForProperty(kABPersonFlags).toInt() & kABShowAsMask);
    card.insert(personcard::groupsKey, personcard::groupNames(person));
    card.insert(QStringLiteral("image"), person->hasImage());
    return card;
}

QString nameOf(const PersonPtr &person)
{
    const QString name = (person->valueForProperty(kABFirstNameProperty).toString() + " " +
                          person->valueForProperty(kABLastNameProperty).toString())
                             .trimmed();
    return name.isEmpty() ? person->valueForProperty(kABOrganizationProperty).toString() : name;
}

// Cards by the person's first phone number, which every person of the book has and keeps.
QMap<QString, Card> cardsOf(const QList<PersonPtr> &people)
{
    QMap<QString, Card> cards;
    for (const PersonPtr &person : people)
        cards.insert(person->multiValueForProperty(kABPhoneProperty).valueAt(0).toString(),
                     cardOf(person));
    return cards;
}

void setMulti(const PersonPtr &person, const QString &property, PropertyType type,
              const QList<std::pair<QVariant, QString>> &entries, int primary = 0)
{
    MutableMultiValue multi(type);
    QString primaryID;
    for (int index = 0; index < entries.size(); ++index) {
        const QString id = multi.addValue(entries[index].first, entries[index].second);
        if (index == primary)
            primaryID = id;
    }
    multi.setPrimaryIdentifier(primaryID);
    person->setValueForProperty(QVariant::fromValue(MultiValue(multi)), property);
}

QVariantMap address(const QString &street, const QString &city, const QString &state,
                    const QString &zip)
{
    return {{kABAddressStreetKey, street},
            {kABAddressCityKey, city},
            {kABAddressStateKey, state},
            {kABAddressZIPKey, zip},
            {kABAddressCountryKey, QStringLiteral("United States")},
            {kABAddressCountryCodeKey, QStringLiteral("us")}};
}

class RoundTripTest : public EngineServerTest, public ::testing::WithParamInterface<ServiceProtocol>
{
protected:
    RoundTripTest()
        : EngineServerTest(GetParam())
    {}

    void SetUp() override
    {
        EngineServerTest::SetUp();
        // The tests of a program share one address book: each starts from one that holds only Me.
        ASSERT_TRUE(downloadroad::emptyBook());
        storeCredentials();
        ASSERT_TRUE(linkpreferences::useTestLinkProperties());
        downloadroad::useDownloadOptions();
        UserDefaults &defaults = UserDefaults::standard();
        for (const QString &key :
             {abkeys::gmUpdatePeople, abkeys::gmUpdateCompanies, googlekeys::gmUpdateName,
              googlekeys::gmUpdateCompany, googlekeys::gmUpdateNotes, googlekeys::gmUpdateTitle,
              googlekeys::gmUpdateEmail, googlekeys::gmUpdatePhone, googlekeys::gmUpdateIM,
              googlekeys::gmUpdatePostal, googlekeys::gmUpdateMemberships,
              googlekeys::gmUpdatePicture, googlekeys::gmUpdateIncludeURLsInNotes})
            defaults.setBool(true, key);
        defaults.setInteger(1, googlekeys::abUpdateIMUseHome);
        // As the data loader's window does when the decisions ask it.
        datamask::setGoogleDataMask();
    }

    // People with every field both roads map, in two groups.
    QList<PersonPtr> fillBook()
    {
        AddressBook *book = AddressBook::shared();
        const GroupPtr friends = Group::create();
        friends->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
        const GroupPtr club = Group::create();
        club->setValueForProperty(QStringLiteral("Club"), kABGroupNameProperty);
        book->addRecord(friends);
        book->addRecord(club);

        const PersonPtr ann = Person::create();
        ann->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
        ann->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
        ann->setValueForProperty(QStringLiteral("Acme"), kABOrganizationProperty);
        ann->setValueForProperty(QStringLiteral("Engineer"), kABJobTitleProperty);
        ann->setValueForProperty(QStringLiteral("Met at the fair\rLikes tea"), kABNoteProperty);
        setMulti(ann, kABEmailProperty, PropertyType::MultiString,
                 {{QStringLiteral("ann@home.example"), kABEmailHomeLabel},
                  {QStringLiteral("ann@acme.example"), kABEmailWorkLabel},
                  {QStringLiteral("ann@other.example"), kABOtherLabel}},
                 1);
        setMulti(ann, kABPhoneProperty, PropertyType::MultiString,
                 {{QStringLiteral("555 0101"), kABPhoneMobileLabel},
                  {QStringLiteral("555 0102"), kABPhoneHomeLabel},
                  {QStringLiteral("555 0103"), kABPhoneWorkFAXLabel},
                  {QStringLiteral("555 0104"), kABPhonePagerLabel},
                  {QStringLiteral("555 0105"), QStringLiteral("Boat")}},
                 0);
        setMulti(ann, kABAddressProperty, PropertyType::MultiDictionary,
                 {{address("12 Main St", "Springfield", "IL", "62704"), kABAddressHomeLabel},
                  {address("1 Works Rd", "Shelbyville", "IL", "62565"), kABAddressWorkLabel}});
        setMulti(ann, kABURLsProperty, PropertyType::MultiString,
                 {{QStringLiteral("http://ann.example.com"), kABHomePageLabel}});
        setMulti(ann, kABAIMInstantProperty, PropertyType::MultiString,
                 {{QStringLiteral("annaim"), kABAIMHomeLabel}});
        setMulti(ann, kABJabberInstantProperty, PropertyType::MultiString,
                 {{QStringLiteral("ann@jabber.example"), kABJabberHomeLabel}});
        setMulti(ann, kABYahooInstantProperty, PropertyType::MultiString,
                 {{QStringLiteral("annyahoo"), kABYahooHomeLabel}});
        ann->setImageData(testpicture::encoded(Qt::blue, "PNG"));

        const PersonPtr acme = Person::create();
        acme->setValueForProperty(QStringLiteral("Acme Tools"), kABOrganizationProperty);
        acme->setValueForProperty(kABShowAsCompany, kABPersonFlags);
        setMulti(acme, kABEmailProperty, PropertyType::MultiString,
                 {{QStringLiteral("sales@acme.example"), kABEmailWorkLabel}});
        setMulti(acme, kABPhoneProperty, PropertyType::MultiString,
                 {{QStringLiteral("555 0200"), kABPhoneWorkLabel}});

        const PersonPtr bo = Person::create();
        bo->setValueForProperty(QStringLiteral("Bo"), kABFirstNameProperty);
        bo->setValueForProperty(QStringLiteral("Karl"), kABLastNameProperty);
        setMulti(bo, kABPhoneProperty, PropertyType::MultiString,
                 {{QStringLiteral("555 0300"), kABPhoneMobileLabel}});
        setMulti(bo, kABMSNInstantProperty, PropertyType::MultiString,
                 {{QStringLiteral("bo@msn.example"), kABMSNHomeLabel}});
        setMulti(bo, kABICQInstantProperty, PropertyType::MultiString,
                 {{QStringLiteral("123456"), kABICQHomeLabel}});

        const QList<PersonPtr> people = {ann, acme, bo};
        for (const PersonPtr &person : people)
            book->addRecord(person);
        friends->addMember(ann);
        club->addMember(ann);
        club->addMember(bo);
        EXPECT_TRUE(book->save());
        return people;
    }

    // The "Simple" road: the group starter, then the chain sends the contacts and the photos.
    void upload(const QList<PersonPtr> &people)
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        QueueDataDelegate delegate(journal);
        engine->setDataDelegate(&delegate);
        ASSERT_TRUE(logIn(*engine));
        delegate.queue = engine->buildBatchArrayForABContactArray(people);
        ASSERT_EQ(delegate.queue.size(), size_t(people.size()));
        const BatchActionQueue groups =
            engine->buildBatchArrayForABGroupArray(AddressBook::shared()->groups());
        ASSERT_EQ(groups.size(), 2u);
        journal.clear();
        engine->batchSimpleABGroupActions(groups);
        ASSERT_TRUE(runUntil(
            [&] { return journal.contains(QStringLiteral("cleanup:Simple Google Update//")); },
            30000))
            << journal.join('\n').toStdString();
        engine->setDataDelegate(&data);
    }

    void download()
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
        ASSERT_TRUE(downloadroad::downloadIntoAddressBook(*engine));
    }

    // The contact decisions for every person but the Me record, as the "people" and
    // "companies" uploads take them.
    BatchActionQueue decisionsForEveryone()
    {
        QList<PersonPtr> people;
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            if (person != AddressBook::shared()->me())
                people << person;
        }
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        EXPECT_TRUE(logIn(*engine));
        return engine->buildBatchArrayForABContactArray(people);
    }

    static QList<PersonPtr> everyoneButMe()
    {
        QList<PersonPtr> people = AddressBook::shared()->people();
        people.removeAll(AddressBook::shared()->me());
        return people;
    }
};

TEST_P(RoundTripTest, UploadedBook_ComesBackIntoAnEmptyBookUnchanged)
{
    const QList<PersonPtr> people = fillBook();
    const QMap<QString, Card> sent = cardsOf(people);
    upload(people);
    ASSERT_TRUE(downloadroad::emptyBook());
    ASSERT_TRUE(everyoneButMe().isEmpty());

    download();

    const QMap<QString, Card> arrived = cardsOf(everyoneButMe());
    ASSERT_EQ(arrived.keys(), sent.keys());
    for (auto it = sent.begin(); it != sent.end(); ++it) {
        const Card &back = arrived.value(it.key());
        for (auto field = it.value().begin(); field != it.value().end(); ++field)
            EXPECT_EQ(back.value(field.key()), field.value())
                << it.key().toStdString() << " / " << field.key().toStdString();
        EXPECT_EQ(back.keys(), it.value().keys()) << it.key().toStdString();
    }
}

TEST_P(RoundTripTest, AfterADownload_DecisionsQueueNothingForThePeopleThatCameDown)
{
    const QList<PersonPtr> people = fillBook();
    upload(people);

    // Into the book that holds the linked people, then into an empty one.
    download();
    EXPECT_TRUE(decisionsForEveryone().empty());
    ASSERT_TRUE(downloadroad::emptyBook());
    download();
    ASSERT_EQ(everyoneButMe().size(), people.size());
    const BatchActionQueue queue = decisionsForEveryone();
    for (const BatchAction &action : queue)
        ADD_FAILURE() << action.action.toStdString() << " "
                      << nameOf(std::dynamic_pointer_cast<Person>(action.abObj)).toStdString();

    // A person changed after the download is sent again; a change within the download's own
    // write span (2 s) could not be told from the download's writes.
    QThread::msleep(2100);
    everyoneButMe().front()->setValueForProperty(QStringLiteral("Changed"), kABJobTitleProperty);
    const BatchActionQueue changed = decisionsForEveryone();
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].action, QStringLiteral("update"));
}

INSTANTIATE_TEST_SUITE_P(Protocols, RoundTripTest, ::testing::ValuesIn(kServiceProtocols),
                         [](const auto &info) { return protocolName(info.param); });

} // namespace
