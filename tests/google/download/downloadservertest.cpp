#include "tests/support/google/engineservertest.h"

#include "tests/support/google/booksnapshot.h"
#include "tests/support/google/downloadroad.h"
#include "tests/support/google/linkpreferences.h"
#include "tests/support/google/personcard.h"
#include "tests/support/google/testpicture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"

namespace {

const QString &kIDProperty = linkpreferences::contactID;
const QString &kVersionProperty = linkpreferences::contactVersion;
const QString &kGroupIDProperty = linkpreferences::groupID;

GDataEntryPtr contactEntry(const QString &title, const QStringList &emails)
{
    const GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(title);
    std::vector<GDataEmail> values;
    for (const QString &email : emails)
        values.push_back({email, QString::fromLatin1(kGDataContactHome), std::nullopt, false});
    contact->setEmailAddresses(values);
    return contact;
}

class DownloadServerTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        ASSERT_TRUE(linkpreferences::useTestLinkProperties());
        downloadroad::useDownloadOptions();
        seed();
    }

    void seed()
    {
        const QStringList groups = server.seedGroups(
            kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Friends")),
                    GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Club"))});
        friendsID = groups.value(0);

        auto ann = std::static_pointer_cast<GDataEntryContact>(
            contactEntry(QStringLiteral("Ann Lee"), {QStringLiteral("ann@example.com")}));
        ann->setPhoneNumbers({{QStringLiteral("555 1"), std::nullopt, QStringLiteral("Boat"), true},
                              {QStringLiteral("555 2"),
                               QString::fromLatin1(kGDataPhoneNumberMobile), std::nullopt, false}});
        ann->setIMAddresses(
            {GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolGoogleTalk), std::nullopt,
                                     std::nullopt, QStringLiteral("ann@talk")),
             GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolSkype), std::nullopt,
                                     std::nullopt, QStringLiteral("annsky"))});
        ann->setPostalAddresses({{QStringLiteral("12 Main St\nApt 4\nSpringfield, IL\n62704\nUSA"),
                                  QString::fromLatin1(kGDataContactWork), std::nullopt, false}});
        GDataOrganization acme = GDataOrganization::organizationWithName(QStringLiteral("Acme"));
        acme.orgTitle = QStringLiteral("Engineer");
        ann->setOrganizations({acme});
        ann->setContentWithString(
            QStringLiteral("Met at the fair\nBlog:: http://ann.example.com\nRatio 2::1"));
        ann->setGroupMembershipInfos(
            {GDataGroupMembershipInfo::groupMembershipInfoWithHref(groups.value(0)),
             GDataGroupMembershipInfo::groupMembershipInfoWithHref(groups.value(1))});

        auto noEmail = std::static_pointer_cast<GDataEntryContact>(
            contactEntry(QStringLiteral("Bo Karl"), {}));
        noEmail->setPhoneNumbers({{QStringLiteral("555 3"), std::nullopt, std::nullopt, false}});

        contactIDs = server.seedContacts(
            kUser, {ann, noEmail,
                    contactEntry(QStringLiteral("Cy Dunn"), {QStringLiteral("dunn@example.com")}),
                    contactEntry(QStringLiteral("Di Dunn"), {QStringLiteral("dunn@example.com")}),
                    contactEntry(QStringLiteral("Ed Gone"), {QStringLiteral("ed@example.com")})});
        deletedID = contactIDs.takeLast();
        deleteOnServer(deletedID);
        server.setPhoto(kUser, contactIDs[0], testpicture::encoded(Qt::red, "JPEG"));
    }

    void deleteOnServer(const QString &identifier)
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
        bool done = false;
        for (const GDataEntryContactPtr &contact : engine->contactArray()) {
            if (contact->identifier() == identifier)
                engine->contactService()->deleteEntry(
                    *contact, engine.get(), [&](const auto &, const auto &) { done = true; },
                    [&](const auto &, const auto &) { done = true; });
        }
        ASSERT_TRUE(runUntil([&] { return done; }));
    }

    // As the data loader drives it: fetch, pair every group and contact, write each contact into
    // its person, save once.
    void download()
    {
        const std::unique_ptr<OfferingEngine> engine = makeEngine();
        engine->setIncludeContactDeletions(true);
        ASSERT_TRUE(logIn(*engine));
        ASSERT_EQ(engine->contactArray().size(), 5);
        ASSERT_TRUE(downloadroad::downloadIntoAddressBook(*engine));
    }

    static PersonPtr linkedTo(const QString &identifier)
    {
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            if (person->valueForProperty(kIDProperty).toString() == identifier)
                return person;
        }
        return nullptr;
    }

    static QString value(const PersonPtr &person, const QString &property)
    {
        return person->valueForProperty(property).toString();
    }

    void expectDownloaded()
    {
        ASSERT_EQ(contactIDs.size(), 4);
        for (const QString &identifier : contactIDs)
            ASSERT_TRUE(linkedTo(identifier)) << identifier.toStdString();
        const PersonPtr ann = linkedTo(contactIDs[0]);
        EXPECT_EQ(value(ann, kABFirstNameProperty), QStringLiteral("Ann"));
        EXPECT_EQ(value(ann, kABLastNameProperty), QStringLiteral("Lee"));
        EXPECT_EQ(value(ann, kABOrganizationProperty), QStringLiteral("Acme"));
        EXPECT_EQ(value(ann, kABJobTitleProperty), QStringLiteral("Engineer"));
        EXPECT_EQ(value(ann, kABNoteProperty), QStringLiteral("Met at the fair\rRatio 2::1"));
        EXPECT_EQ(ann->multiValueForProperty(kABURLsProperty).valueAt(0).toString(),
                  QStringLiteral("http://ann.example.com"));
        const MultiValue phones = ann->multiValueForProperty(kABPhoneProperty);
        ASSERT_EQ(phones.count(), 2);
        EXPECT_EQ(phones.labelAt(0), QStringLiteral("Boat"));
        EXPECT_EQ(phones.primaryIdentifier(), phones.identifierAt(0));
        EXPECT_EQ(phones.labelAt(1), kABPhoneMobileLabel);
        EXPECT_EQ(ann->multiValueForProperty(kABJabberInstantProperty).valueAt(0).toString(),
                  QStringLiteral("ann@talk"));
        EXPECT_EQ(ann->multiValueForProperty(kABOtherInstantProperty).valueAt(0).toString(),
                  QStringLiteral("annsky"));
        EXPECT_EQ(ann->multiValueForProperty(kABAddressProperty).labelAt(0), kABAddressWorkLabel);
        EXPECT_EQ(personcard::groupNames(ann),
                  (QStringList{QStringLiteral("Club"), QStringLiteral("Friends")}));

        const PersonPtr bo = linkedTo(contactIDs[1]);
        EXPECT_EQ(value(bo, kABFirstNameProperty), QStringLiteral("Bo"));
        EXPECT_TRUE(bo->multiValueForProperty(kABEmailProperty).isEmpty());
        // Two contacts with one e-mail address are two people.
        EXPECT_NE(linkedTo(contactIDs[2]), linkedTo(contactIDs[3]));
        EXPECT_EQ(value(linkedTo(contactIDs[3]), kABFirstNameProperty), QStringLiteral("Di"));
        for (const QString &identifier : contactIDs)
            EXPECT_FALSE(value(linkedTo(identifier), kVersionProperty).isEmpty());

        int groupCount = 0;
        for (const GroupPtr &group : AddressBook::shared()->groups())
            groupCount += group->valueForProperty(kGroupIDProperty).isValid();
        EXPECT_EQ(groupCount, 2);
        EXPECT_FALSE(linkedTo(deletedID));
        EXPECT_TRUE(ann->hasImage());
        EXPECT_FALSE(bo->hasImage());
    }

    void expectSecondRunChangesNothing()
    {
        const booksnapshot::Snapshot before = booksnapshot::snapshot();
        const qsizetype groupsBefore = AddressBook::shared()->groups().size();
        download();
        EXPECT_EQ(AddressBook::shared()->groups().size(), groupsBefore);
        EXPECT_EQ(booksnapshot::snapshot(), before);
    }

    QString friendsID;
    QStringList contactIDs;
    QString deletedID;
};

TEST_F(DownloadServerTest, EmptyBook_GetsEveryContactAndASecondRunChangesNothing)
{
    download();
    EXPECT_EQ(AddressBook::shared()->people().size() - 1, 4); // the Me record beside them
    expectDownloaded();
    expectSecondRunChangesNothing();
}

TEST_F(DownloadServerTest, BookWithLinkedAndUnlinkedPeople_PairsThemAndAddsTheRest)
{
    const PersonPtr linked = Person::create();
    linked->setValueForProperty(QStringLiteral("Someone"), kABFirstNameProperty);
    linked->setValueForProperty(contactIDs[1], kIDProperty);
    AddressBook::shared()->addRecord(linked);
    const PersonPtr unlinked = Person::create();
    MutableMultiValue emails(PropertyType::MultiString);
    emails.addValue(QStringLiteral("ann@example.com"), kABHomeLabel);
    unlinked->setValueForProperty(QVariant::fromValue(MultiValue(emails)), kABEmailProperty);
    AddressBook::shared()->addRecord(unlinked);
    const PersonPtr stranger = Person::create();
    stranger->setValueForProperty(QStringLiteral("Zed"), kABFirstNameProperty);
    AddressBook::shared()->addRecord(stranger);
    ASSERT_TRUE(AddressBook::shared()->save());
    const qsizetype peopleBefore = AddressBook::shared()->people().size();

    download();
    EXPECT_EQ(AddressBook::shared()->people().size(), peopleBefore + 2); // Cy and Di
    EXPECT_EQ(linkedTo(contactIDs[1]), linked);
    EXPECT_EQ(linkedTo(contactIDs[0]), unlinked);
    EXPECT_EQ(value(stranger, kABFirstNameProperty), QStringLiteral("Zed"));
    EXPECT_FALSE(stranger->valueForProperty(kIDProperty).isValid());
    expectDownloaded();
    expectSecondRunChangesNothing();
}

} // namespace
