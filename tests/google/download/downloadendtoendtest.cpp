// A whole Google account of 300 contacts comes down from the loopback server as the data loader
// drives a download: into an empty book, and into one that already holds people and groups linked
// to the account, people that match a contact by e-mail or by name, and strangers. The book then
// holds exactly one person per live contact with every field the contact maps, the account's
// groups and the links; a second run changes nothing but the transfer stamps, and the upload
// decisions that follow queue nothing for the people that came down. A photo the server fails to
// give leaves only that picture out; the tag and "record created" line of a note come once.

#include "tests/support/google/booksnapshot.h"
#include "tests/support/google/downloadroad.h"
#include "tests/support/google/engineservertest.h"
#include "tests/support/google/googleaccountseed.h"
#include "tests/support/google/linkpreferences.h"
#include "tests/support/google/personcard.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/text/textdate.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/datamask.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

namespace seed = googleaccountseed;

const QString &kIDProperty = linkpreferences::contactID;

QString text(const PersonPtr &person, const QString &property)
{
    return person->valueForProperty(property).toString();
}

QList<PersonPtr> everyoneButMe()
{
    QList<PersonPtr> people = AddressBook::shared()->people();
    people.removeAll(AddressBook::shared()->me());
    return people;
}

void expectSameCard(const PersonCard &card, const PersonCard &expected, const QString &who)
{
    QStringList keys = card.keys() + expected.keys();
    keys.removeDuplicates();
    for (const QString &key : keys)
        EXPECT_EQ(card.value(key), expected.value(key))
            << who.toStdString() << " / " << key.toStdString();
}

// What a book holds before the download, and what the download must do with it.
enum class Held {
    Linked,       // its link names the contact; nothing else matches
    SameEmail,    // unlinked, holds the contact's primary address
    SameName,     // unlinked, holds the names of a contact without e-mail
    SharedEmail,  // unlinked, holds the address two contacts share
    Stranger,     // matches no contact
    LinkedToGone, // its link names a contact deleted on Google
};

struct BookPerson
{
    Held held;
    int index; // the contact it stands for; -1 for none
    const char *first;
    const char *last;
    const char *email;
};

// The indexes follow the seed's variants: 4 and 10 have no e-mail, 1 has "Cottage" as its primary
// address after a first one, 203 a single home address, 11 is deleted.
const BookPerson kBookPeople[] = {
    {Held::Linked, 4, "Someone", nullptr, nullptr},
    {Held::Linked, 30, "Someone", "Else", "old@elsewhere.example"},
    {Held::SameEmail, 1, "Unlinked", nullptr, "p1@cottage.example"},
    {Held::SameEmail, 203, "Unlinked", nullptr, "p203@example.com"},
    {Held::SameName, 10, "Cy", "Family010", nullptr},
    {Held::SharedEmail, seed::kSharedEmailFirst, "Shared", nullptr, "shared@example.com"},
    {Held::Stranger, -1, "Zed", "Stranger", "zed@nowhere.example"},
    {Held::Stranger, -1, "Yan", "Nobody", nullptr},
    {Held::LinkedToGone, 11, "Gone", "Away", "gone@away.example"},
};

// A group the book holds before the download.
struct BookGroup
{
    const char *name;
    int group;   // the seed's group it stands for, by name or by link; -1 for none
    bool linked; // it carries that group's link
};

const BookGroup kBookGroups[] = {
    {"Team B", 1, false},
    {"Old name", 3, true},
    {"Neighbours", -1, false},
};

class DownloadEndToEndTest : public EngineServerTest,
                             public ::testing::WithParamInterface<ServiceProtocol>
{
protected:
    DownloadEndToEndTest()
        : EngineServerTest(GetParam())
    {}

    void SetUp() override
    {
        EngineServerTest::SetUp();
        storeCredentials();
        ASSERT_TRUE(linkpreferences::useTestLinkProperties());
        setOptions();
        seedAccount();
    }

    seed::Flavour flavour() const
    {
        return protocol() == ServiceProtocol::People ? seed::Flavour::People : seed::Flavour::Atom;
    }

    static void setOptions()
    {
        downloadroad::useDownloadOptions();
        UserDefaults &defaults = UserDefaults::standard();
        for (const QString &key :
             {abkeys::gmUpdatePeople, abkeys::gmUpdateCompanies, googlekeys::gmUpdateMemberships})
            defaults.setBool(true, key);
        defaults.setInteger(1, googlekeys::abUpdateIMUseHome);
        datamask::setGoogleDataMask();
    }

    QString myContactsID()
    {
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::ContactGroup)) {
            const auto group = std::static_pointer_cast<GDataEntryContactGroup>(entry);
            if (group->systemGroup() == QLatin1String(kGDataSystemGroupContacts))
                return group->identifier();
        }
        ADD_FAILURE() << "the account has no My Contacts group";
        return {};
    }

    void seedAccount()
    {
        std::vector<GDataEntryPtr> groups;
        for (const QString &title : seed::groupTitles())
            groups.push_back(GDataEntryContactGroup::contactGroupEntryWithTitle(title));
        groupIDs = server.seedGroups(kUser, groups);
        ASSERT_EQ(groupIDs.size(), qsizetype(groups.size()));
        const QString myContacts = myContactsID();
        std::vector<GDataEntryPtr> contacts;
        for (int index = 0; index < contactCount; ++index)
            contacts.push_back(seed::contactAt(index, groupIDs, myContacts, flavour()));
        contactIDs = server.seedContacts(kUser, contacts);
        ASSERT_EQ(contactIDs.size(), contactCount);
        for (int index = 0; index < contactCount; ++index) {
            const QByteArray photo = seed::photoAt(index);
            if (!photo.isEmpty())
                server.setPhoto(kUser, contactIDs[index], photo, "image/png");
        }
        groupIDs = engineIdentifiers(groupIDs, GDataEntryBase::Kind::ContactGroup);
        contactIDs = engineIdentifiers(contactIDs);
        deleteOnServer();
    }

    void deleteOnServer()
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
        int pending = 0;
        for (const GDataEntryContactPtr &contact : engine->contactArray()) {
            if (!seed::isDeleted(int(contactIDs.indexOf(contact->identifier()))))
                continue;
            ++pending;
            engine->contactService()->deleteEntry(
                *contact, engine.get(), [&](const auto &, const auto &) { --pending; },
                [&](const auto &, const auto &) { --pending; });
        }
        ASSERT_TRUE(runUntil([&] { return pending == 0; }));
    }

    int liveContactCount() const
    {
        int count = 0;
        for (int index = 0; index < contactCount; ++index)
            count += seed::isDeleted(index) ? 0 : 1;
        return count;
    }

    // As the data loader drives it: fetch with the tombstones, pair every group and contact,
    // write each contact into its person, save once.
    void download()
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        engine->setIncludeContactDeletions(true);
        ASSERT_TRUE(logIn(*engine));
        ASSERT_EQ(engine->contactArray().size(), size_t(contactCount));
        int tombstones = 0;
        for (const GDataEntryContactPtr &contact : engine->contactArray()) {
            tombstones += contact->isDeleted() ? 1 : 0;
            versions.insert(contact->identifier(), textdate::format(contact->updatedDate()));
        }
        ASSERT_EQ(tombstones, contactCount - liveContactCount());
        ASSERT_TRUE(downloadroad::downloadIntoAddressBook(*engine));
    }

    static QHash<QString, PersonPtr> peopleByLink()
    {
        QHash<QString, PersonPtr> people;
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            const QString link = text(person, kIDProperty);
            if (link.isEmpty())
                continue;
            EXPECT_FALSE(people.contains(link)) << "two people linked to " << link.toStdString();
            people.insert(link, person);
        }
        return people;
    }

    // Every live contact has its person, holding what the contact maps, and its links.
    void expectEveryContactDownloaded()
    {
        const QHash<QString, PersonPtr> people = peopleByLink();
        for (int index = 0; index < contactCount; ++index) {
            if (seed::isDeleted(index))
                continue;
            const QString &identifier = contactIDs[index];
            const PersonPtr person = people.value(identifier);
            ASSERT_TRUE(person) << "no person for contact " << index;
            const QString who = QStringLiteral("contact %1").arg(index);
            expectSameCard(personcard::cardOf(person), seed::expectedCard(index, flavour()), who);
            EXPECT_EQ(text(person, linkpreferences::contactVersion), versions.value(identifier))
                << who.toStdString();
            EXPECT_EQ(text(person, linkpreferences::contactDataMask),
                      downloadroad::kEveryFieldDataMask)
                << who.toStdString();
            EXPECT_TRUE(textdate::parse(text(person, linkpreferences::contactAsOf)).isValid())
                << who.toStdString();
        }
    }

    // The account's own groups and no other, each linked to its Google group.
    // The account's groups, each linked to its Google group once, by the Google group.
    static QMap<QString, GroupPtr> groupsByLink()
    {
        QMap<QString, GroupPtr> groups;
        for (const GroupPtr &group : AddressBook::shared()->groups()) {
            const QString link = group->valueForProperty(linkpreferences::groupID).toString();
            if (link.isEmpty())
                continue;
            EXPECT_FALSE(groups.contains(link)) << "two groups linked to " << link.toStdString();
            groups.insert(link, group);
        }
        return groups;
    }

    void expectAccountGroups()
    {
        const QMap<QString, GroupPtr> groups = groupsByLink();
        const QStringList titles = seed::groupTitles();
        ASSERT_EQ(groups.size(), titles.size());
        for (qsizetype index = 0; index < titles.size(); ++index) {
            const GroupPtr group = groups.value(groupIDs[index]);
            ASSERT_TRUE(group) << titles[index].toStdString();
            EXPECT_EQ(group->valueForProperty(kABGroupNameProperty).toString(), titles[index]);
        }
    }

    void expectSecondRunChangesNothing()
    {
        const booksnapshot::Snapshot before = booksnapshot::snapshot();
        const qsizetype groupsBefore = AddressBook::shared()->groups().size();
        download();
        EXPECT_EQ(AddressBook::shared()->groups().size(), groupsBefore);
        const booksnapshot::Snapshot after = booksnapshot::snapshot();
        ASSERT_EQ(after.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    }

    // The decisions of an upload of everyone but the Me record, run right after a download.
    void expectDecisionsQueueNothing()
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
        for (const BatchAction &action : engine->buildBatchArrayForABContactArray(everyoneButMe()))
            ADD_FAILURE()
                << action.action.toStdString() << " for "
                << text(std::dynamic_pointer_cast<Person>(action.abObj), kIDProperty).toStdString();
    }

    PersonPtr addBookPerson(const BookPerson &row)
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QString::fromUtf8(row.first), kABFirstNameProperty);
        if (row.last)
            person->setValueForProperty(QString::fromUtf8(row.last), kABLastNameProperty);
        if (row.email) {
            MutableMultiValue emails(PropertyType::MultiString);
            emails.addValue(QString::fromUtf8(row.email), kABHomeLabel);
            person->setValueForProperty(QVariant::fromValue(MultiValue(emails)), kABEmailProperty);
        }
        if (row.held == Held::Linked || row.held == Held::LinkedToGone)
            person->setValueForProperty(contactIDs[row.index], kIDProperty);
        AddressBook::shared()->addRecord(person);
        return person;
    }

    // How many of the seed's contacts the account holds, from the first.
    int contactCount = seed::kContactCount;
    GroupPtr addBookGroup(const BookGroup &row)
    {
        const GroupPtr group = Group::create();
        group->setValueForProperty(QString::fromUtf8(row.name), kABGroupNameProperty);
        if (row.linked)
            group->setValueForProperty(groupIDs[row.group], linkpreferences::groupID);
        AddressBook::shared()->addRecord(group);
        return group;
    }

    QStringList groupIDs;
    QStringList contactIDs;
    QHash<QString, QString> versions; // the contacts' update times as text, by identifier
};

TEST_P(DownloadEndToEndTest, EmptyBook_HoldsExactlyTheAccountAndASecondRunChangesNothing)
{
    download();

    ASSERT_TRUE(AddressBook::shared()->me());
    EXPECT_EQ(AddressBook::shared()->people().size(), liveContactCount() + 1);
    expectEveryContactDownloaded();
    EXPECT_EQ(peopleByLink().size(), liveContactCount());
    expectAccountGroups();
    EXPECT_EQ(AddressBook::shared()->groups().size(), seed::groupTitles().size());
    // The two contacts that share an address are two people.
    const QHash<QString, PersonPtr> people = peopleByLink();
    EXPECT_NE(people.value(contactIDs[seed::kSharedEmailFirst]),
              people.value(contactIDs[seed::kSharedEmailSecond]));

    expectDecisionsQueueNothing();
    expectSecondRunChangesNothing();
    EXPECT_EQ(everyoneButMe().size(), liveContactCount());
}

TEST_P(DownloadEndToEndTest, BookWithLinkedAndMatchingRecords_PairsThemAddsTheRestLeavesStrangers)
{
    QList<PersonPtr> held;
    for (const BookPerson &row : kBookPeople)
        held << addBookPerson(row);
    QList<GroupPtr> heldGroups;
    for (const BookGroup &row : kBookGroups)
        heldGroups << addBookGroup(row);
    ASSERT_TRUE(AddressBook::shared()->save());
    QList<PersonCard> cardsBefore;
    for (qsizetype row = 0; row < held.size(); ++row)
        cardsBefore << personcard::cardOf(held[row]);
    const qsizetype peopleBefore = AddressBook::shared()->people().size();

    download();

    const QHash<QString, PersonPtr> people = peopleByLink();
    int paired = 0;
    for (qsizetype row = 0; row < held.size(); ++row) {
        const BookPerson &bookPerson = kBookPeople[row];
        SCOPED_TRACE(std::string("book person ") + bookPerson.first);
        switch (bookPerson.held) {
        case Held::Linked:
        case Held::SameEmail:
        case Held::SameName:
            ++paired;
            EXPECT_EQ(people.value(contactIDs[bookPerson.index]), held[row]);
            break;
        case Held::SharedEmail: {
            // One of the two contacts takes the person; the other gets one of its own.
            ++paired;
            const PersonPtr first = people.value(contactIDs[seed::kSharedEmailFirst]);
            const PersonPtr second = people.value(contactIDs[seed::kSharedEmailSecond]);
            EXPECT_TRUE(first == held[row] || second == held[row]);
            EXPECT_NE(first, second);
            break;
        }
        case Held::Stranger:
        case Held::LinkedToGone:
            expectSameCard(personcard::cardOf(held[row]), cardsBefore[row],
                           QString::fromUtf8(bookPerson.first));
            EXPECT_EQ(text(held[row], kIDProperty),
                      bookPerson.index < 0 ? QString() : contactIDs[bookPerson.index]);
            break;
        }
    }
    EXPECT_EQ(AddressBook::shared()->people().size(), peopleBefore + liveContactCount() - paired);
    expectEveryContactDownloaded();
    expectAccountGroups();

    // The account's groups take the book's groups of their name or link; the others stay.
    const QMap<QString, GroupPtr> groups = groupsByLink();
    int pairedGroups = 0;
    for (qsizetype row = 0; row < heldGroups.size(); ++row) {
        const BookGroup &bookGroup = kBookGroups[row];
        if (bookGroup.group < 0) {
            EXPECT_EQ(heldGroups[row]->valueForProperty(kABGroupNameProperty).toString(),
                      QString::fromUtf8(bookGroup.name));
            EXPECT_FALSE(heldGroups[row]->valueForProperty(linkpreferences::groupID).isValid());
            continue;
        }
        ++pairedGroups;
        EXPECT_EQ(groups.value(groupIDs[bookGroup.group]), heldGroups[row]) << bookGroup.name;
    }
    EXPECT_EQ(AddressBook::shared()->groups().size(),
              seed::groupTitles().size() + heldGroups.size() - pairedGroups);
    expectSecondRunChangesNothing();
}

// A photo the server fails to give does not hold up the download.
class PhotoFaultDownloadTest : public DownloadEndToEndTest
{
protected:
    PhotoFaultDownloadTest() { contactCount = 80; }
};

TEST_P(PhotoFaultDownloadTest, FailedPhoto_LeavesOnlyThatPictureOutAndTheNextRunBringsIt)
{
    constexpr int failing = 42;
    ASSERT_FALSE(seed::photoAt(failing).isEmpty());
    server.injectFault(photoPathOf(contactIDs[failing]), 500);

    download();
    const QHash<QString, PersonPtr> people = peopleByLink();
    for (int index = 0; index < contactCount; ++index) {
        if (seed::isDeleted(index))
            continue;
        const PersonPtr person = people.value(contactIDs[index]);
        ASSERT_TRUE(person) << "no person for contact " << index;
        PersonCard expected = seed::expectedCard(index, flavour());
        if (index == failing)
            expected.remove(personcard::pictureKey);
        expectSameCard(personcard::cardOf(person), expected,
                       QStringLiteral("contact %1").arg(index));
    }

    download();
    expectEveryContactDownloaded();
}

// The note options that add to what Google's note says: the tag of created records, the
// "record created" line, and, where asked, keeping the person's old note.
class NoteOptionsDownloadTest : public DownloadEndToEndTest
{
protected:
    NoteOptionsDownloadTest() { contactCount = 40; }

    void SetUp() override
    {
        DownloadEndToEndTest::SetUp();
        UserDefaults &defaults = UserDefaults::standard();
        defaults.setBool(true, googlekeys::abDoTagCreatedRecords);
        defaults.setString(QStringLiteral("(%GAcct) import"), googlekeys::abTagForCreatedRecords);
        defaults.setBool(true, abkeys::abUpdateIncludeCreateDate);
    }

    // Every downloaded person's note holds the tag and the "record created" line once.
    void expectTaggedOnce()
    {
        const QString tag = kUser + QStringLiteral(" import");
        for (const PersonPtr &person : everyoneButMe()) {
            const QString note = text(person, kABNoteProperty);
            EXPECT_EQ(note.count(tag), 1) << note.toStdString();
            EXPECT_EQ(note.count(QStringLiteral("record created: ")), 1) << note.toStdString();
        }
    }

    // The notes of the book with every date text in them made alike.
    static QMap<QString, QString> notesWithoutDates()
    {
        static const QRegularExpression date(
            QStringLiteral("\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} [+-]\\d{4}"));
        QMap<QString, QString> notes;
        for (const PersonPtr &person : AddressBook::shared()->people())
            notes.insert(person->uniqueId(),
                         text(person, kABNoteProperty).replace(date, QStringLiteral("<date>")));
        return notes;
    }

    void expectSecondRunMovesOnlyTheCreatedDate()
    {
        download();
        expectTaggedOnce();
        const QMap<QString, QString> first = notesWithoutDates();
        download();
        expectTaggedOnce();
        EXPECT_EQ(notesWithoutDates(), first);
    }
};

TEST_P(NoteOptionsDownloadTest, ReplacedNote_SecondRunMovesOnlyTheDateOfTheCreatedLine)
{
    expectSecondRunMovesOnlyTheCreatedDate();
}

TEST_P(NoteOptionsDownloadTest, AppendedNote_SecondRunMovesOnlyTheDateOfTheCreatedLine)
{
    UserDefaults::standard().setBool(true, googlekeys::abUpdateAppendNotes);
    expectSecondRunMovesOnlyTheCreatedDate();
}

INSTANTIATE_TEST_SUITE_P(Protocols, DownloadEndToEndTest, ::testing::ValuesIn(kServiceProtocols),
                         [](const auto &info) { return protocolName(info.param); });
INSTANTIATE_TEST_SUITE_P(Protocols, NoteOptionsDownloadTest, ::testing::ValuesIn(kServiceProtocols),
                         [](const auto &info) { return protocolName(info.param); });
INSTANTIATE_TEST_SUITE_P(Protocols, PhotoFaultDownloadTest, ::testing::ValuesIn(kServiceProtocols),
                         [](const auto &info) { return protocolName(info.param); });

} // namespace
